// DialogTest.cpp: CDialog::DoModal's run from a template resource: how it ends from
// OnInitDialog and from a handler, and a missing template.
#include "platform/afx/afxwin.h"
#include "platform/win32/kernel/ResourceModules.h"
#include "tests/kernel/ResourceImageBuilder.h"
#include "tests/user/MessageLog.h"
#include "tests/user/TemplateBytes.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

constexpr UINT kDialogId = 102;
constexpr int kEndButton = 1005;

// A dialog of OK and a button whose handler ends the run with 42.
std::vector<std::uint8_t> dialog_template() {
    const std::uint32_t style =
        WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
    test::TemplateBytes t;
    t.extended_head(style, 0, 2, 10, 10, 150, 80).u16(0).u16(0).text("Test");
    t.extended_font(8, "MS Sans Serif");
    const DWORD button = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    t.extended_item(button | BS_DEFPUSHBUTTON, 10, 50, 40, 14, IDOK).ordinal(0x80).text("OK");
    t.u16(0).extended_item(button, 60, 50, 40, 14, kEndButton).ordinal(0x80).text("End").u16(0);
    const auto* data = reinterpret_cast<const std::uint8_t*>(t.bytes().data());
    return {data, data + t.bytes().size()};
}

class CTestDialog : public CDialog {
public:
    explicit CTestDialog(UINT id, CWnd* pParent) : CDialog(id, pParent) {}
    std::function<void(CTestDialog&)> m_on_init;
    bool m_inited = false;
    BOOL OnInitDialog() override {
        m_inited = true;
        CDialog::OnInitDialog();
        if (m_on_init) {
            m_on_init(*this);
        }
        return TRUE;
    }

protected:
    afx_msg void OnEndClicked() { EndDialog(42); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestDialog, CDialog)
ON_BN_CLICKED(kEndButton, OnEndClicked)
END_MESSAGE_MAP()

class Dialog : public test::UserTest {
protected:
    void SetUp() override {
        test::UserTest::SetUp();
        m_builder.add(5, static_cast<int>(kDialogId), dialog_template());
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
        test::UserTest::TearDown();
    }

    CWinApp m_app;
    CWnd m_owner;
    test::ResourceImageBuilder m_builder;
    std::vector<std::byte> m_image;
    HINSTANCE m_module = nullptr;
    HINSTANCE m_previous = nullptr;
};

TEST_F(Dialog, DoModalEndsWithTheValueGivenAndGivesTheOwnerBack) {
    struct Case {
        const char* name;
        UINT id;
        std::function<void(CTestDialog&)> on_init;
        int result;
        bool looped;  // the run waited for a message
        bool inited;
    };
    const Case cases[] = {
        {"EndDialog in OnInitDialog ends before the loop", kDialogId,
         [](CTestDialog& d) { d.EndDialog(7); }, 7, false, true},
        {"a handler ends with its own value", kDialogId, nullptr, 42, true, true},
        {"a missing template fails at once", 999, nullptr, -1, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CTestDialog dialog(c.id, &m_owner);
        dialog.m_on_init = c.on_init;
        bool looped = false;
        bool owner_disabled_in_loop = false;
        m_host->script_call([&](host::HeadlessHost&) {
            looped = true;
            owner_disabled_in_loop = !IsWindowEnabled(m_owner.m_hWnd);
            HWND active = GetActiveWindow();
            PostMessageA(active, WM_COMMAND, MAKEWPARAM(kEndButton, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(active, kEndButton)));
        });
        EXPECT_EQ(dialog.DoModal(), c.result);
        EXPECT_EQ(looped, c.looped);
        EXPECT_EQ(owner_disabled_in_loop, c.looped);
        EXPECT_EQ(dialog.m_inited, c.inited);
        EXPECT_EQ(dialog.m_hWnd, nullptr) << "the dialog is destroyed";
        EXPECT_TRUE(IsWindowEnabled(m_owner.m_hWnd)) << "the owner is enabled again";
        // What the case's script left unused.
        m_host->set_exhausted_handler([](host::HeadlessHost&) { PostQuitMessage(0); });
        MSG m;
        while (m_host->script_steps_left() > 0 && GetMessageA(&m, nullptr, 0, 0) > 0) {
            DispatchMessageA(&m);
        }
        drain();
    }
}

}  // namespace
