#include "app/ErrorBox.h"
#include "app/Translations.h"
#include "app/Unit1.h"

#include <QFont>
#include <QStyleFactory>

int main(int argc, char **argv)
{
    TApplication app(argc, argv);
    InstallLanguage(StoredLanguage()); // Russian unless English was chosen on the "?" menu
    // Wayland desktops match the window to its menu entry and icon by this.
    app.setDesktopFileName(QString::fromLatin1(QUILLON_APP_ID));
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    app.setFont(font);

    TForm1 form;
    form.WatchTermSignal();
    app.setWindowIcon(form.windowIcon());
    form.show();
    return app.exec();
}
