#include "about_box.h"
#include "application.h"
#include "main_form.h"
#include "message_box.h"

#include <exception>

int main(int argc, char *argv[])
{
    TApplication app(argc, argv);
    try {
        TMainForm MainForm;
        MainForm.setAboutHandler(showAboutBox);
        MainForm.show();
        return app.exec();
    } catch (const std::exception &error) {
        toolkit::showMessage(nullptr, QMessageBox::Critical, QLatin1StringView(TApplication::title),
                             QString::fromLocal8Bit(error.what()));
        return 1;
    }
}
