#include "about_box.h"
#include "application.h"
#include "font_warmup.h"
#include "main_form.h"
#include "message_box.h"

#include <exception>

int main(int argc, char *argv[])
{
    // The program takes no arguments, and Qt would read its own (-reverse, -qwindowtitle,
    // -platform, ...) from what it is given: it sees the program's name alone. Its environment
    // variables still choose the platform, style and scale. A caller may pass no name at all.
    static char fallbackName[] = "tralvik";
    char *qtArgv[] = {argc > 0 && argv[0] ? argv[0] : fallbackName, nullptr};
    int qtArgc = 1;
    FontWarmup fonts;
    TApplication app(qtArgc, qtArgv);
    fonts.wait();
    try {
        TMainForm MainForm;
        MainForm.setAboutHandler(showAboutBox);
        MainForm.setSectionHandler(showSectionView);
        MainForm.show();
        return app.exec();
    } catch (const std::exception &error) {
        toolkit::showMessage(nullptr, QMessageBox::Critical, QLatin1StringView(TApplication::title),
                             QString::fromLocal8Bit(error.what()));
        return 1;
    }
}
