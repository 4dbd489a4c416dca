// DialogTest.cpp: the runs of CDialog::DoModal the program never takes: ended inside
// OnInitDialog, and a missing template.
#include "platform/afx/afxwin.h"
#include "platform/win32/kernel/ResourceModules.h"
#include "tests/kernel/ResourceImageBuilder.h"
#include "tests/user/MessageLog.h"
#include "tests/user/TemplateBytes.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr UINT kDialogId = 102;

// Ends with 7 from OnInitDialog.
class CEndingDialog : public CDialog {
public:
    explicit CEndingDialog(UINT id, CWnd* pParent) : CDialog(id, pParent) {}
    bool m_inited = false;
    BOOL OnInitDialog() override {
        m_inited = true;
        CDialog::OnInitDialog();
        EndDialog(7);
        return TRUE;
    }
};

using DialogRun = test::UserTest;

TEST_F(DialogRun, DoModalEndedInOnInitDialogOrWithoutTemplateNeverWaits) {
    test::TemplateBytes t;  // an empty popup
    t.extended_head(WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, 50, 20).u16(0).u16(0).text("T");
    const std::vector<std::byte> image =
        test::ResourceImageBuilder().add(5, static_cast<int>(kDialogId), t.octets()).bytes();
    HINSTANCE previous = kernel::program_instance();
    HINSTANCE module = kernel::install_resource_image(image, kernel::ModuleRole::Program);
    ASSERT_NE(module, nullptr);
    CWinApp app;
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300,
                               nullptr, nullptr));
    bool waited = false;
    m_host.set_exhausted_handler([&](host::HeadlessHost&) {
        waited = true;
        PostMessageA(GetActiveWindow(), WM_COMMAND, IDCANCEL, 0);
    });
    struct Case {
        const char* name;
        UINT id;
        int result;
        bool inited;
    };
    const Case cases[] = {
        {"EndDialog in OnInitDialog ends before the loop", kDialogId, 7, true},
        {"a missing template fails at once", 999, -1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CEndingDialog dialog(c.id, &owner);
        EXPECT_EQ(dialog.DoModal(), c.result);
        EXPECT_FALSE(waited);
        EXPECT_EQ(dialog.m_inited, c.inited);
        EXPECT_EQ(dialog.m_hWnd, nullptr) << "the dialog is destroyed";
        EXPECT_TRUE(IsWindowEnabled(owner.m_hWnd)) << "the owner is enabled again";
    }
    owner.DestroyWindow();
    kernel::remove_resource_image(module);
    if (previous != nullptr) {
        kernel::set_program_instance(previous);
    }
}

}  // namespace
