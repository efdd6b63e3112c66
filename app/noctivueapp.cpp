// SPDX-License-Identifier: MIT
#include "app/noctivueapp.h"

#include "about/Unit1.h"
#include "catalogue/catalogueerror.h"
#include "viewer/Unit2.h"

#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QMessageBox>
#include <QTimer>
#include <QWindow>

#include <functional>
#include <memory>

namespace {

QIcon applicationIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 256})
        icon.addFile(QStringLiteral(":/ui/icon_%1").arg(size), QSize(size, size));
    return icon;
}

// Runs a task once, right after the window's first frame: on X11 and
// Wayland the first expose paints and flushes before it returns.
class AfterFirstFrame : public QObject
{
public:
    AfterFirstFrame(QWindow *window, std::function<void()> task) : m_task(std::move(task))
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && static_cast<QWindow *>(watched)->isExposed()) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, this, m_task);
        }
        return false;
    }

private:
    std::function<void()> m_task;
};

} // namespace

void connectAboutWindow(TForm2 &viewer, TForm1 &about)
{
    QObject::connect(&viewer, &TForm2::aboutRequested, &about, &TForm1::ShowAbout);
}

int runNoctivue(QApplication &app, const ViewerCollaborators &collaborators)
{
    app.setApplicationName(QStringLiteral("Noctivue"));
    // Wayland matches the window to its desktop entry, and so its icon, by this.
    app.setDesktopFileName(QStringLiteral(NOCTIVUE_APP_ID));

    std::unique_ptr<TForm2> viewer;
    try {
        viewer = std::make_unique<TForm2>(collaborators);
    } catch (const CatalogueError &error) {
        app.setWindowIcon(applicationIcon());
        QMessageBox box(QMessageBox::Critical, app.applicationName(), error.text(),
                        QMessageBox::Ok);
        box.exec();
        return 1;
    }
    // Not owned by the viewer; it lives until the program ends. Hidden until
    // asked for, it is built once the viewer's first frame is out, so the
    // start does not wait for it. So is the icon, which a full-screen window
    // does not show: the window manager takes it up when it is set.
    std::unique_ptr<TForm1> about;
    viewer->winId();
    AfterFirstFrame buildAbout(viewer->windowHandle(), [&app, &about, &viewer] {
        app.setWindowIcon(applicationIcon());
        about = std::make_unique<TForm1>(viewer.get());
        Form1 = about.get();
        connectAboutWindow(*viewer, *about);
    });

    viewer->showFullScreen();
    const int code = app.exec();
    Form1 = nullptr;
    return code;
}
