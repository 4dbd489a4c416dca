// WinAppTest.cpp: the application object: registration, start-up with and without the loop,
// the loop's pre-translation chain, idle clean-up and the application's name.
#include "platform/afx/AfxState.h"
#include "platform/afx/afxwin.h"
#include "platform/win32/kernel/ResourceModules.h"
#include "tests/afx/AfxHost.h"
#include "tests/kernel/ResourceImageBuilder.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

constexpr UINT kSwallowed = WM_USER + 9;
constexpr UINT kDelivered = WM_USER + 10;

// A window whose PreTranslateMessage keeps one message from being dispatched.
class CFilterWnd : public CWnd {
public:
    std::vector<UINT> m_handled;
    BOOL PreTranslateMessage(MSG* pMsg) override { return pMsg->message == kSwallowed; }

protected:
    afx_msg LRESULT OnSwallowed(WPARAM, LPARAM) {
        m_handled.push_back(kSwallowed);
        return 0;
    }
    afx_msg LRESULT OnDelivered(WPARAM, LPARAM) {
        m_handled.push_back(kDelivered);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CFilterWnd, CWnd)
ON_MESSAGE(kSwallowed, OnSwallowed)
ON_MESSAGE(kDelivered, OnDelivered)
END_MESSAGE_MAP()

class CTestApp : public CWinApp {
public:
    explicit CTestApp(LPCSTR name = nullptr) : CWinApp(name) {}
    std::vector<std::string> m_steps;
    std::function<BOOL(CTestApp&)> m_init = [](CTestApp&) { return FALSE; };
    std::string m_name_at_init;
    std::vector<UINT> m_pretranslated;
    std::size_t m_temporaries_at_exit = 0;

    BOOL InitInstance() override {
        m_steps.push_back("InitInstance");
        m_name_at_init = m_pszAppName != nullptr ? m_pszAppName : "(null)";
        return m_init(*this);
    }
    int Run() override {
        m_steps.push_back("Run");
        return CWinApp::Run();
    }
    int ExitInstance() override {
        m_steps.push_back("ExitInstance");
        m_temporaries_at_exit = afx::state().temporary_windows.size();
        return CWinApp::ExitInstance();
    }
    BOOL PreTranslateMessage(MSG* pMsg) override {
        if (pMsg->message >= WM_USER) {
            m_pretranslated.push_back(pMsg->message);
        }
        return CWinApp::PreTranslateMessage(pMsg);
    }
};

class WinApp : public test::AfxHostTest {
protected:
    void SetUp() override {
        test::AfxHostTest::SetUp();
        m_class = AfxRegisterWndClass(0);
    }
    LPCSTR m_class = nullptr;
};

TEST_F(WinApp, TheLatestLiveApplicationObjectIsTheApplication) {
    EXPECT_EQ(AfxGetApp(), nullptr);
    EXPECT_EQ(AfxWinMain(), -1) << "nothing to run";
    {
        CTestApp outer;
        EXPECT_EQ(AfxGetApp(), &outer);
        {
            CTestApp inner;
            EXPECT_EQ(AfxGetApp(), &inner);
            EXPECT_EQ(AfxGetThread(), &inner);
        }
        EXPECT_EQ(AfxGetApp(), &outer);
    }
    EXPECT_EQ(AfxGetApp(), nullptr);
}

struct StartCase {
    const char* name;
    std::function<BOOL(CTestApp&)> init;
    std::vector<std::string> steps;
    int exit_code;
};

TEST_F(WinApp, TheLoopRunsOnlyWhenInitInstanceSucceeds) {
    const StartCase cases[] = {
        {"start-up refused", [](CTestApp&) { return FALSE; }, {"InitInstance", "ExitInstance"}, 0},
        {"start-up refused after posting a quit",
         [](CTestApp&) {
             PostQuitMessage(5);
             return FALSE;
         },
         {"InitInstance", "ExitInstance"},
         0},
        {"start-up refused after pumping a message of its own",
         [](CTestApp& a) {
             PostMessageA(nullptr, WM_USER + 20, 27, 0);
             a.PumpMessage();
             return FALSE;
         },
         {"InitInstance", "ExitInstance"},
         0},
        {"loop ended by a quit message",
         [](CTestApp&) {
             PostQuitMessage(7);
             return TRUE;
         },
         {"InitInstance", "Run", "ExitInstance"},
         7},
        {"loop ended when no input can come",
         [](CTestApp&) { return TRUE; },
         {"InitInstance", "Run", "ExitInstance"},
         0},
    };
    for (const StartCase& c : cases) {
        SCOPED_TRACE(c.name);
        CTestApp app;
        app.m_init = c.init;
        EXPECT_EQ(AfxWinMain(), c.exit_code);
        EXPECT_EQ(app.m_steps, c.steps);
        drain();
    }
}

TEST_F(WinApp, DestroyingTheMainWindowEndsTheLoop) {
    CTestApp app;
    CWnd main;
    app.m_init = [&](CTestApp& a) {
        EXPECT_TRUE(
            main.CreateEx(0, m_class, "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr));
        a.m_pMainWnd = &main;
        PostMessageA(main.m_hWnd, WM_CLOSE, 0, 0);
        return TRUE;
    };
    EXPECT_EQ(AfxWinMain(), 0);
    const std::vector<std::string> steps = {"InitInstance", "Run", "ExitInstance"};
    EXPECT_EQ(app.m_steps, steps);
    EXPECT_EQ(app.m_pMainWnd, nullptr) << "the framework forgets the destroyed main window";
    EXPECT_EQ(main.m_hWnd, nullptr);
}

TEST_F(WinApp, MessagesPassThePreTranslationChainAndIdleFreesTemporaries) {
    CTestApp app;
    CFilterWnd main;
    HWND foreign = nullptr;
    app.m_init = [&](CTestApp& a) {
        EXPECT_TRUE(main.CreateEx(0, m_class, "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
        a.m_pMainWnd = &main;
        foreign = CreateWindowExA(0, m_class, "", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr, nullptr,
                                  nullptr);
        EXPECT_NE(CWnd::FromHandle(foreign), nullptr);
        PostMessageA(main.m_hWnd, kSwallowed, 0, 0);
        PostMessageA(main.m_hWnd, kDelivered, 0, 0);
        return TRUE;
    };
    EXPECT_EQ(AfxWinMain(), 0);
    const std::vector<UINT> pretranslated = {kSwallowed, kDelivered};
    EXPECT_EQ(app.m_pretranslated, pretranslated);
    const std::vector<UINT> handled = {kDelivered};
    EXPECT_EQ(main.m_handled, handled) << "the window's PreTranslateMessage kept one back";
    EXPECT_EQ(app.m_temporaries_at_exit, 0u) << "idle time frees temporary objects";
    DestroyWindow(foreign);
    main.DestroyWindow();
}

class AppName : public test::AfxHostTest {
protected:
    void install(bool with_title) {
        // String 0xE000 is the first of block 0xE01.
        m_builder.add(6, 0xE01, test::string_block({u"Kulki z ogonkiem ą"}));
        if (!with_title) {
            m_builder = test::ResourceImageBuilder();
            m_builder.add(6, 1, test::string_block({u"", u"other"}));
        }
        m_image = m_builder.bytes();
        m_previous = kernel::program_instance();
        m_module = kernel::install_resource_image(m_image, kernel::ModuleRole::Program);
        ASSERT_NE(m_module, nullptr);
    }
    void TearDown() override {
        if (m_module != nullptr) {
            kernel::remove_resource_image(m_module);
        }
        if (m_previous != nullptr) {
            kernel::set_program_instance(m_previous);
        }
        test::AfxHostTest::TearDown();
    }
    test::ResourceImageBuilder m_builder;
    std::vector<std::byte> m_image;
    HINSTANCE m_module = nullptr;
    HINSTANCE m_previous = nullptr;
};

TEST_F(AppName, ComesFromTheTitleStringElsePilo) {
    struct Case {
        const char* name;
        bool with_title;
        const char* given;
        const char* expected;
    };
    const Case cases[] = {
        {"title string", true, nullptr, "Kulki z ogonkiem \xB9"},
        {"no title string", false, nullptr, "Pilo"},
        {"name given to the constructor", true, "Inna", "Inna"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        install(c.with_title);
        {
            CTestApp app(c.given);
            AfxWinMain();
            EXPECT_EQ(app.m_name_at_init, c.expected);
            EXPECT_STREQ(AfxGetAppName(), c.expected);
        }
        kernel::remove_resource_image(m_module);
        m_module = nullptr;
        m_builder = test::ResourceImageBuilder();
    }
}

}  // namespace
