// SPDX-License-Identifier: MIT
#include "app/noctivueapp.h"

#include "about/Unit1.h"
#include "catalogue/catalogueerror.h"
#include "viewer/Unit2.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>

#include <memory>

namespace {

QIcon applicationIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 256})
        icon.addFile(QStringLiteral(":/ui/icon_%1").arg(size), QSize(size, size));
    return icon;
}

} // namespace

int runNoctivue(QApplication &app)
{
    app.setApplicationName(QStringLiteral("Noctivue"));
    app.setDesktopFileName(QStringLiteral("noctivue"));
    app.setWindowIcon(applicationIcon());

    std::unique_ptr<TForm2> viewer;
    try {
        viewer = std::make_unique<TForm2>();
    } catch (const CatalogueError &error) {
        QMessageBox box(QMessageBox::Critical, app.applicationName(), error.text(),
                        QMessageBox::Ok);
        box.exec();
        return 1;
    }
    // Not owned by the viewer; it lives until the program ends.
    auto about = std::make_unique<TForm1>(viewer.get());
    Form1 = about.get();

    viewer->showFullScreen();
    const int code = app.exec();
    Form1 = nullptr;
    return code;
}
