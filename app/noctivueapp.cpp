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

void connectAboutWindow(TForm2 &viewer, TForm1 &about)
{
    QObject::connect(&viewer, &TForm2::aboutRequested, &about, &TForm1::ShowAbout);
}

int runNoctivue(QApplication &app, const ViewerCollaborators &collaborators)
{
    app.setApplicationName(QStringLiteral("Noctivue"));
    app.setDesktopFileName(QStringLiteral("noctivue"));
    app.setWindowIcon(applicationIcon());

    std::unique_ptr<TForm2> viewer;
    try {
        viewer = std::make_unique<TForm2>(collaborators);
    } catch (const CatalogueError &error) {
        QMessageBox box(QMessageBox::Critical, app.applicationName(), error.text(),
                        QMessageBox::Ok);
        box.exec();
        return 1;
    }
    // Not owned by the viewer; it lives until the program ends.
    auto about = std::make_unique<TForm1>(viewer.get());
    Form1 = about.get();
    connectAboutWindow(*viewer, *about);

    viewer->showFullScreen();
    const int code = app.exec();
    Form1 = nullptr;
    return code;
}
