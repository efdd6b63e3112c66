// SPDX-License-Identifier: MIT
// The launch benchmark's reference: a bare Qt window, full screen, that reads
// one JPEG file, decodes it with TurboJPEG and paints it, nothing more. It starts
// on the last file given; Up and Down decode and paint the previous or next.
//
//   noctivue-barewindow picture.jpg [more.jpg ...]

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QWidget>

#include <turbojpeg.h>

namespace {

class BareWindow : public QWidget
{
public:
    explicit BareWindow(QStringList files)
        : m_files(std::move(files)), m_index(int(m_files.size()) - 1), m_tj(tjInitDecompress())
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        load();
    }
    ~BareWindow() override { tjDestroy(m_tj); }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.drawImage(QPoint(0, 0), m_image);
    }

    void keyPressEvent(QKeyEvent *event) override
    {
        const int step = event->key() == Qt::Key_Down ? 1 : event->key() == Qt::Key_Up ? -1 : 0;
        const int next = m_index + step;
        if (step == 0 || next < 0 || next >= m_files.size())
            return;
        m_index = next;
        load();
        update();
    }

private:
    void load()
    {
        QFile file(m_files[m_index]);
        if (!file.open(QIODevice::ReadOnly))
            qFatal("cannot read %s", qPrintable(m_files[m_index]));
        const QByteArray bytes = file.readAll();
        const auto *data = reinterpret_cast<const unsigned char *>(bytes.constData());
        int w = 0, h = 0, subsampling = 0, colourspace = 0;
        tjDecompressHeader3(m_tj, data, static_cast<unsigned long>(bytes.size()), &w, &h,
                            &subsampling, &colourspace);
        if (m_image.width() != w || m_image.height() != h)
            m_image = QImage(w, h, QImage::Format_RGB32);
        tjDecompress2(m_tj, data, static_cast<unsigned long>(bytes.size()), m_image.bits(), w,
                      int(m_image.bytesPerLine()), h, TJPF_BGRX, 0);
    }

    QStringList m_files;
    int m_index;
    tjhandle m_tj;
    QImage m_image;
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QStringList files = app.arguments().mid(1);
    if (files.isEmpty())
        qFatal("usage: noctivue-barewindow picture.jpg [more.jpg ...]");
    BareWindow window(std::move(files));
    window.showFullScreen();
    return app.exec();
}
