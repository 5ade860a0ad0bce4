// cSysTray's shell calls, its icon list and the events of both modes; modSysTray's hook tables.
#include "tray/c_sys_tray.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/user_interface.h"
#include "tests/support/notification_area_recorder.h"
#include "tests/toolkit/test_form.h"
#include "tray/mod_sys_tray.h"

namespace {

class SysTrayTest : public testing::Test {
  protected:
    SysTrayTest() {
        const auto logAs = [this](const char* event) {
            return [this, event](std::int32_t IconID) {
                events.push_back(std::string(event) + " " + std::to_string(IconID));
            };
        };
        tray->LeftClick = logAs("LeftClick");
        tray->MiddleClick = logAs("MiddleClick");
        tray->RightClick = logAs("RightClick");
        tray->DblClick = logAs("DblClick");
        tray->MouseMove = logAs("MouseMove");
    }
    ~SysTrayTest() override { UnhookWindow(form.hWnd()); }

    void Notify(std::uint32_t callbackMessage, std::int32_t wParam, std::int32_t mouseMessage) {
        PostMessageA(form.hWnd(), callbackMessage, wParam, mouseMessage);
        DispatchPostedMessages();
    }

    std::vector<std::uint32_t> Operations() const {
        std::vector<std::uint32_t> operations;
        for (const auto& call : shell.calls) operations.push_back(call.operation);
        return operations;
    }

    TestForm form;
    test_support::NotificationAreaRecorder shell;
    std::shared_ptr<cSysTray> tray = std::make_shared<cSysTray>();
    std::vector<std::string> events;
};

// The record an icon is added with is pinned by the main window's tray test. Identifiers below
// one are sent and never recorded; termination deletes every active icon in position order.
TEST_F(SysTrayTest, AnIdentifierIsCreatedOnceOnlyKnownOnesChangeAndTerminationDeletesInOrder) {
    EXPECT_EQ(tray->ST_OwnerForm(), nullptr);
    EXPECT_EQ(tray->ST_CreateIcon(1, 0, "Corvala"), vbFalse) << "no owner window yet";
    tray->ST_OwnerForm(form);
    EXPECT_EQ(tray->ST_ModifyIcon(3, 0), vbFalse);
    EXPECT_EQ(tray->ST_DeleteIcon(3), vbFalse);
    EXPECT_TRUE(shell.calls.empty());

    EXPECT_EQ(tray->ST_CreateIcon(3, 9, "Corvala"), vbTrue);
    EXPECT_EQ(tray->ST_CreateIcon(3, 9, "Corvala"), vbFalse);
    EXPECT_EQ(tray->ST_ModifyIcon(3, 9, "Tip"), vbTrue);
    EXPECT_EQ(tray->ST_DeleteIcon(3), vbTrue);
    EXPECT_EQ(tray->ST_DeleteIcon(3), vbFalse);
    shell.answer = 0;
    EXPECT_EQ(tray->ST_CreateIcon(1, 0), vbFalse) << "refused";
    shell.answer = 1;
    EXPECT_EQ(tray->ST_ModifyIcon(1, 0), vbFalse) << "so not recorded";
    EXPECT_EQ(Operations(), (std::vector<std::uint32_t>{NIM_ADD, NIM_MODIFY, NIM_DELETE, NIM_ADD}));
    shell.calls.clear();
    EXPECT_EQ(tray->ST_CreateIcon(0, 0), vbTrue);
    EXPECT_EQ(tray->ST_ModifyIcon(0, 0), vbFalse);
    EXPECT_EQ(tray->ST_DeleteIcon(0), vbFalse);
    EXPECT_EQ(Operations(), std::vector<std::uint32_t>{NIM_ADD});
    for (const std::int32_t id : {5, 6, 7}) ASSERT_EQ(tray->ST_CreateIcon(id, 0), vbTrue);
    ASSERT_EQ(tray->ST_DeleteIcon(5), vbTrue);
    ASSERT_EQ(tray->ST_CreateIcon(8, 0), vbTrue);  // takes 5's freed position, the first
    shell.calls.clear();
    tray.reset();
    std::vector<std::uint32_t> deleted;
    for (const auto& call : shell.calls) {
        EXPECT_EQ(call.operation, NIM_DELETE);
        deleted.push_back(call.record.uID);
    }
    EXPECT_EQ(deleted, (std::vector<std::uint32_t>{8, 6, 7}));
}

// Along the owner window's top edge a real pointer move is read as a notification would be;
// the form's own handler still runs, and keeps running once the object is gone.
TEST_F(SysTrayTest, DefaultModeReadsTheMessageFromXOnlyWhenYIsZeroBesideTheFormsOwnHandler) {
    int ownMoves = 0;
    form.MouseMove = [&ownMoves](std::int16_t, std::int16_t, float, float) { ++ownMoves; };
    tray->ST_OwnerForm(form);
    form.ClientSize(9000, 4500);  // wide enough for x = 520 pixels
    ASSERT_TRUE(ShowActive(form));
    QWidget* client = form.ClientWidget();
    for (const int x : {512, 514, 515, 517, 520}) QTest::mouseMove(client, QPoint(x, 0));
    QTest::mouseMove(client, QPoint(514, 1));
    EXPECT_EQ(events, (std::vector<std::string>{"MouseMove 1", "LeftClick 1", "DblClick 1",
                                                "RightClick 1", "MiddleClick 1"}));
    EXPECT_EQ(ownMoves, 6) << "every move reaches the form's own handler";
    tray.reset();
    QTest::mouseMove(client, QPoint(514, 0));
    EXPECT_EQ(ownMoves, 7);
}

TEST_F(SysTrayTest, TheTipIsTrimmedCutTo63CharactersEndedByNulAndFilledWithSpaces) {
    tray->ST_OwnerForm(form);
    const struct {
        std::string tip, kept;
    } cases[] = {
        {"", ""},
        {"  Corvala  ", "Corvala"},
        {std::string(64, 'x'), std::string(63, 'x')},
        {std::string(63, 'y'), std::string(63, 'y')},
        {std::string(62, 'u') + "\u00fc", std::string(62, 'u')},  // never half a character
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tip);
        ASSERT_EQ(tray->ST_CreateIcon(1, 0, c.tip), vbTrue);
        const NOTIFYICONDATAA& record = shell.calls.back().record;
        EXPECT_EQ(record.uFlags, NIF_MESSAGE | NIF_ICON | NIF_TIP);
        EXPECT_EQ(std::string(record.szTip, sizeof record.szTip),
                  c.kept + '\0' + std::string(63 - c.kept.size(), ' '));
        ASSERT_EQ(tray->ST_DeleteIcon(1), vbTrue);
    }
}

// Switching modes reaches an icon made before through modify; the hook table holds the object
// until its entry goes, which then removes its icons.
TEST_F(SysTrayTest, AdvancedModeHooksTheOwnerAndPassesTheIconIdentifier) {
    tray->ST_OwnerForm(form);
    ASSERT_EQ(tray->ST_CreateIcon(1, 0), vbTrue);
    tray->ST_AdvancedProcessing(vbTrue);
    ASSERT_EQ(tray->ST_ModifyIcon(1, 0), vbTrue);
    EXPECT_EQ(IsWindowHooked(form.hWnd()), vbTrue);
    ASSERT_EQ(tray->ST_CreateIcon(7, 0), vbTrue);
    for (const auto& call : {shell.calls[1], shell.calls[2]})
        EXPECT_EQ(call.record.uCallbackMessage, GetCommMessage());
    // Both modes share the decoder, whose clicks the default mode's pointer test walks through.
    for (const auto& [message, raised] : {std::pair<std::int32_t, const char*>{WM_LBUTTONDOWN, ""},
                                          {WM_RBUTTONUP, "RightClick 7"},
                                          {0x400, ""}}) {
        events.clear();
        Notify(GetCommMessage(), 7, message);
        EXPECT_EQ(events, *raised ? std::vector<std::string>{raised} : std::vector<std::string>{})
            << message;
    }
    shell.calls.clear();
    tray.reset();
    EXPECT_TRUE(shell.calls.empty());
    UnhookWindow(form.hWnd());
    EXPECT_EQ(Operations(), (std::vector<std::uint32_t>{NIM_DELETE, NIM_DELETE}));
}

TEST_F(SysTrayTest, AFailingListenerEndsNeitherTheDeliveryNorTheProgram) {
    tray->ST_OwnerForm(form);
    tray->LeftClick = [](std::int32_t) { throw std::runtime_error("listener failed"); };
    EXPECT_NO_THROW(Notify(WM_MOUSEMOVE, 1, WM_LBUTTONUP));
    Notify(WM_MOUSEMOVE, 1, WM_RBUTTONUP);
    EXPECT_EQ(events, std::vector<std::string>{"RightClick 1"});
}

}  // namespace
