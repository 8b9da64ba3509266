#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts or stops the PostgreSQL server the database tests use: a cluster made
# by initdb in FOLDER, listening on a Unix socket in FOLDER only (no TCP), with
# the database "tarnel" and the user "tarnel". Run as root, the server runs as
# the unprivileged user nobody, who then owns FOLDER.
#   database-server.sh start FOLDER
#   database-server.sh stop FOLDER
set -euo pipefail
action="${1:?start or stop}"
folder="${2:?folder}"
bin="$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -n 1)"

as_owner=()
if [ "$(id -u)" -eq 0 ]; then
    as_owner=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
fi

case "$action" in
    start)
        # A cluster left by an earlier run is used again (initdb is slow), with
        # its database made anew; a server still running from it is stopped.
        if [ -f "$folder/data/postmaster.pid" ]; then
            "${as_owner[@]}" "$bin/pg_ctl" -D "$folder/data" -m immediate stop >/dev/null 2>&1 || true
        fi
        if [ ! -f "$folder/data/PG_VERSION" ]; then
            rm -rf "$folder"
            mkdir -p "$folder"
            if [ ${#as_owner[@]} -gt 0 ]; then
                chown nobody:nogroup "$folder"
            fi
            if ! (cd / && "${as_owner[@]}" test -w "$folder"); then
                echo "$0: user nobody cannot reach $folder: its parent folders must be" \
                    "searchable by others (chmod o+x)" >&2
                exit 1
            fi
            (cd "$folder" && "${as_owner[@]}" "$bin/initdb" -D "$folder/data" -U tarnel -A trust \
                --no-sync --no-instructions >/dev/null)
        fi
        # A test server: nothing but the socket, room for every test's
        # connections at once, and no flushing to disk.
        (cd "$folder" && "${as_owner[@]}" "$bin/pg_ctl" -D "$folder/data" -l "$folder/data/server.log" \
            -w -t 60 -o "-c listen_addresses='' -k $folder -c max_connections=600 -c fsync=off" \
            start >/dev/null)
        PGOPTIONS="-c client_min_messages=warning" \
            "${as_owner[@]}" "$bin/dropdb" -h "$folder" -U tarnel --if-exists tarnel
        "${as_owner[@]}" "$bin/createdb" -h "$folder" -U tarnel tarnel
        ;;
    stop)
        if [ -f "$folder/data/postmaster.pid" ]; then
            "${as_owner[@]}" "$bin/pg_ctl" -D "$folder/data" -m fast -w stop >/dev/null
        fi
        ;;
    *)
        echo "usage: $0 start|stop FOLDER" >&2
        exit 2
        ;;
esac
