// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QString>
#include <cstring>
#include <utility>
#include <vector>

// Makes a file of each kind that is no regular file (FIFO, socket, device,
// folder) in `dir`: the name and what messages call it.
inline std::vector<std::pair<QString, QString>> MakeNonRegularFiles(const QString& dir) {
    std::vector<std::pair<QString, QString>> files;
    const QByteArray fifo = QFile::encodeName(dir + "/fifo.dat");
    if (::mkfifo(fifo.constData(), 0644) == 0) {
        files.emplace_back(dir + "/fifo.dat", "a FIFO");
    }
    // A copy of /dev/null where root may make one; /dev/null itself otherwise.
    const QByteArray device = QFile::encodeName(dir + "/null.dat");
    files.emplace_back(::mknod(device.constData(), S_IFCHR | 0666, makedev(1, 3)) == 0
                           ? dir + "/null.dat"
                           : QStringLiteral("/dev/null"),
                       "a character device");
    QDir(dir).mkdir("folder.dat");
    files.emplace_back(dir + "/folder.dat", "a folder");
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray socketName = QFile::encodeName(dir + "/socket.dat");
    if (socketName.size() < static_cast<int>(sizeof address.sun_path)) {
        std::memcpy(address.sun_path, socketName.constData(), socketName.size() + 1);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
            files.emplace_back(dir + "/socket.dat", "a socket");
        }
        ::close(fd);
    }
    return files;
}
