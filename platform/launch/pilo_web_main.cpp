// pilo_web_main.cpp: the game in a browser, on the web host.
#include "app/CGameApp.h"
#include "platform/host/web/WebHost.h"
#include "platform/launch/ProgramSetup.h"

#include <string>

// The program's one application object.
CGameApp theApp;

int main() {
    host::WebHost web;
    std::string error;
    int code = 1;
    if (launch::prepare_program(web, &error)) {
        code = AfxWinMain();
    } else {
        host::WebHost::say("pilo: " + error);
    }
    host::install(nullptr);
    host::WebHost::show_ended();
    return code;
}
