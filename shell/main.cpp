#include "about_box.h"
#include "application.h"
#include "main_form.h"
#include "section_window.h"

#include <QMessageBox>

#include <exception>

int main(int argc, char *argv[])
{
    TApplication app(argc, argv);
    try {
        TMainForm MainForm;
        MainForm.setAboutHandler(showAboutBox);
        MainForm.setSectionHandler(section::showSectionWindow);
        MainForm.show();
        return app.exec();
    } catch (const std::exception &error) {
        QMessageBox::critical(nullptr, QLatin1StringView(TApplication::title),
                              QString::fromLocal8Bit(error.what()));
        return 1;
    }
}
