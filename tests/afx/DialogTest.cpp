// DialogTest.cpp: modal dialogs from templates on the headless host: initialisation, the
// keys and commands that end them, EndDialog from handlers, the owner's state around the run.
#include "platform/afx/afxwin.h"
#include "platform/host/VirtualKeys.h"
#include "platform/win32/kernel/ResourceModules.h"
#include "tests/afx/AfxHost.h"
#include "tests/kernel/ResourceImageBuilder.h"
#include "tests/user/TemplateBytes.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

constexpr UINT kDialogId = 102;
constexpr UINT kHiddenDialogId = 103;
constexpr int kEndButton = 1005;
constexpr int kLabel = 1000;

// A dialog of OK, a button that ends with 42 and a label.
std::vector<std::uint8_t> dialog_template(bool visible) {
    const std::uint32_t style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT |
                                (visible ? WS_VISIBLE : 0u);
    test::TemplateBytes t;
    t.extended_head(style, 0, 3, 10, 10, 150, 80).u16(0).u16(0).text("Test");
    t.extended_font(8, "MS Sans Serif");
    t.extended_item(WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 10, 50, 40, 14, IDOK)
        .ordinal(0x0080)
        .text("OK")
        .u16(0);
    t.extended_item(WS_CHILD | WS_VISIBLE | WS_TABSTOP, 60, 50, 40, 14, kEndButton)
        .ordinal(0x0080)
        .text("End")
        .u16(0);
    t.extended_item(WS_CHILD | WS_VISIBLE, 10, 10, 100, 10, kLabel)
        .ordinal(0x0082)
        .text("Label")
        .u16(0);
    std::vector<std::uint8_t> bytes;
    for (std::byte b : t.bytes()) {
        bytes.push_back(static_cast<std::uint8_t>(b));
    }
    return bytes;
}

// Records what the framework calls; the end button ends the run with 42.
class CTestDialog : public CDialog {
public:
    explicit CTestDialog(UINT id = kDialogId, CWnd* pParent = nullptr) : CDialog(id, pParent) {}
    std::vector<std::string> m_calls;
    std::function<void(CTestDialog&)> m_on_init;
    bool m_label_found_at_init = false;
    bool m_visible_at_init = true;

    BOOL OnInitDialog() override {
        m_calls.push_back("OnInitDialog");
        m_label_found_at_init = GetDlgItem(kLabel) != nullptr;
        m_visible_at_init = IsWindowVisible();
        CDialog::OnInitDialog();
        if (m_on_init) {
            m_on_init(*this);
        }
        return TRUE;
    }
    using CDialog::EndDialog;

protected:
    void OnOK() override {
        m_calls.push_back("OnOK");
        CDialog::OnOK();
    }
    void OnCancel() override {
        m_calls.push_back("OnCancel");
        CDialog::OnCancel();
    }
    void DoDataExchange(CDataExchange* pDX) override {
        m_calls.push_back(pDX->m_bSaveAndValidate ? "save" : "load");
    }
    afx_msg void OnEndClicked() {
        m_calls.push_back("OnEndClicked");
        EndDialog(42);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestDialog, CDialog)
ON_BN_CLICKED(kEndButton, OnEndClicked)
END_MESSAGE_MAP()

class Dialog : public test::AfxHostTest {
protected:
    void SetUp() override {
        test::AfxHostTest::SetUp();
        m_builder.add(5, static_cast<int>(kDialogId), dialog_template(true));
        m_builder.add(5, static_cast<int>(kHiddenDialogId), dialog_template(false));
        m_image = m_builder.bytes();
        m_previous = kernel::program_instance();
        m_module = kernel::install_resource_image(m_image, kernel::ModuleRole::Program);
        ASSERT_NE(m_module, nullptr);
        ASSERT_TRUE(m_owner.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP | WS_VISIBLE, 0, 0,
                                     400, 300, nullptr, nullptr));
        drain();
    }
    void TearDown() override {
        m_owner.DestroyWindow();
        kernel::remove_resource_image(m_module);
        if (m_previous != nullptr) {
            kernel::set_program_instance(m_previous);
        }
        test::AfxHostTest::TearDown();
    }

public:
    // A click in the middle of a control of the active dialog, found when the step runs.
    void script_click_control(int id) {
        auto at = [id](host::HeadlessHost& h, host::EventType type, std::uint8_t buttons) {
            RECT rc{};
            GetWindowRect(GetDlgItem(GetActiveWindow(), id), &rc);
            host::Event e;
            e.type = type;
            e.x = (rc.left + rc.right) / 2;
            e.y = (rc.top + rc.bottom) / 2;
            e.button = host::MouseButton::Left;
            e.buttons = buttons;
            h.push_event(e);
        };
        headless().script_call(
            [at](host::HeadlessHost& h) { at(h, host::EventType::MouseDown, host::kButtonLeft); });
        headless().script_call([at](host::HeadlessHost& h) { at(h, host::EventType::MouseUp, 0); });
    }

protected:
    CWinApp m_app;
    CWnd m_owner;
    test::ResourceImageBuilder m_builder;
    std::vector<std::byte> m_image;
    HINSTANCE m_module = nullptr;
    HINSTANCE m_previous = nullptr;
};

struct EndCase {
    const char* name;
    std::function<void(Dialog&)> script;
    int result;
    std::vector<std::string> calls;
};

TEST_F(Dialog, DoModalRunsUntilTheDialogEnds) {
    const EndCase cases[] = {
        {"Esc cancels",
         [](Dialog& t) { t.headless().script_key(host::vk::kEscape); },
         IDCANCEL,
         {"OnInitDialog", "load", "OnCancel"}},
        {"Enter takes the default button",
         [](Dialog& t) { t.headless().script_key(host::vk::kReturn); },
         IDOK,
         {"OnInitDialog", "load", "OnOK", "save"}},
        {"a handler ends with its own value",
         [](Dialog& t) { t.script_click_control(kEndButton); },
         42,
         {"OnInitDialog", "load", "OnEndClicked"}},
        {"the close command cancels",
         [](Dialog& t) {
             t.headless().script_call(
                 [](host::HeadlessHost&) { PostMessageA(GetActiveWindow(), WM_CLOSE, 0, 0); });
         },
         IDCANCEL,
         {"OnInitDialog", "load", "OnCancel"}},
    };
    for (const EndCase& c : cases) {
        SCOPED_TRACE(c.name);
        CTestDialog dialog(kDialogId, &m_owner);
        bool owner_disabled_during_run = false;
        headless().script_call([&](host::HeadlessHost&) {
            owner_disabled_during_run = !IsWindowEnabled(m_owner.m_hWnd);
        });
        c.script(*this);
        // Whatever the script left undone ends the run instead of hanging it.
        headless().set_exhausted_handler([](host::HeadlessHost&) { PostQuitMessage(0); });
        EXPECT_EQ(dialog.DoModal(), c.result);
        EXPECT_EQ(dialog.m_calls, c.calls);
        EXPECT_TRUE(dialog.m_label_found_at_init) << "the controls exist in OnInitDialog";
        EXPECT_EQ(dialog.m_hWnd, nullptr) << "the dialog is destroyed";
        EXPECT_TRUE(IsWindowEnabled(m_owner.m_hWnd)) << "the owner is enabled again";
        EXPECT_TRUE(owner_disabled_during_run);
        drain();
    }
}

TEST_F(Dialog, EndDialogInOnInitDialogEndsBeforeTheLoop) {
    CTestDialog dialog(kDialogId, &m_owner);
    dialog.m_on_init = [](CTestDialog& d) { d.EndDialog(7); };
    int steps_run = 0;
    headless().script_call([&](host::HeadlessHost&) { ++steps_run; });
    EXPECT_EQ(dialog.DoModal(), 7);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_EQ(steps_run, 0) << "no message was waited for";
    EXPECT_TRUE(IsWindowEnabled(m_owner.m_hWnd));
}

TEST_F(Dialog, AHiddenTemplateIsShownWhenTheLoopFirstIdles) {
    CTestDialog dialog(kHiddenDialogId, &m_owner);
    bool visible_in_loop = false;
    headless().script_call([&](host::HeadlessHost&) {
        visible_in_loop = IsWindowVisible(GetActiveWindow()) != FALSE;
    });
    headless().script_key(host::vk::kEscape);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_FALSE(dialog.m_visible_at_init);
    EXPECT_TRUE(visible_in_loop);
}

TEST_F(Dialog, AMissingTemplateFailsWithoutTouchingTheOwner) {
    CTestDialog dialog(999, &m_owner);
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_TRUE(dialog.m_calls.empty());
    EXPECT_TRUE(IsWindowEnabled(m_owner.m_hWnd));
}

}  // namespace
