#include "CommandService.h"

#include "AppFixture.h"
#include "CommandIds.h"

namespace {

class CommandServiceTest : public AppFixture {};

TEST_F(CommandServiceTest, RoutesACommandAsTheMenuDoes) {
    CommandService service(Frame());
    app->m_image.fill(0x77);
    EXPECT_TRUE(service.Command(CommandId::FileNew));
    EXPECT_EQ(app->m_image, EepromImage{});
    EXPECT_FALSE(service.Command(CommandId::EditCopy));  // nobody handles it
    EXPECT_FALSE(Frame().IsBusy());
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
    EXPECT_EQ(app->m_image[0], 0x77);  // the refused New did not run
    EXPECT_FALSE(Frame().IsBusy());
}

}  // namespace
