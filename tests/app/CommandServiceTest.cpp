// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandService.h"

#include "AppFixture.h"
#include "CommandIds.h"

namespace {

class CommandServiceTest : public AppFixture {};

TEST_F(CommandServiceTest, RoutesACommandAsTheMenuDoes) {
    CommandService service(Frame());
    app->m_image.fill(0x77);
    EXPECT_TRUE(service.Command(CommandId::FileNew));
    EXPECT_EQ(app->m_image[0], 0x77);  // queued: it runs from the event loop
    for (int wait = 0; wait < 100 && app->m_image[0] != 0; ++wait) {
        QTest::qWait(10);
    }
    EXPECT_EQ(app->m_image, EepromImage{});
    EXPECT_FALSE(service.Command(CommandId::EditCopy));        // nobody handles it
    EXPECT_TRUE(service.Command(CommandId::DownloadDefault));  // no menu item, yet routed
    EXPECT_FALSE(service.Command(CommandId::FileNew));         // 32776 still waits its turn
}

TEST_F(CommandServiceTest, RefusesWhileADialogIsOpenOrACommandRuns) {
    CommandService service(Frame());
    app->m_image.fill(0x77);
    bool busyInside = false;
    bool routedInside = true;
    prompter.dialogScripts.push_back([&](QDialog&) {
        busyInside = Frame().IsBusy();
        routedInside = service.Command(CommandId::FileNew);
        return QDialog::Accepted;
    });
    Send(CommandId::AppAbout);
    EXPECT_TRUE(busyInside);
    EXPECT_FALSE(routedInside);
    QCoreApplication::processEvents();
    EXPECT_EQ(app->m_image[0], 0x77);  // the refused New never runs
    EXPECT_FALSE(Frame().IsBusy());
}

}  // namespace
