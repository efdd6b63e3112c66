// SPDX-License-Identifier: MIT
#include "about/Unit1.h"

#include "elements/fittedimage.h"
#include "elements/linklabel.h"
#include "elements/speedbutton.h"
#include "elements/textelement.h"

#include <QDesktopServices>
#include <QGraphicsDropShadowEffect>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QUrl>

#include <cmath>

const char *const TForm1::PageAddress = NOCTIVUE_HOMEPAGE;

namespace {
const char *const ShortAddress = NOCTIVUE_HOMEPAGE_SHOWN;
const QColor MakerColour(0xFFB8B7B7u);
} // namespace

TForm1::TForm1(QWidget *viewer) : QWidget(nullptr), m_viewer(viewer)
{
    setWindowTitle(QStringLiteral("About"));
    // A caption and a fixed border, and nothing else in the title bar.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(495, 265);
    QPixmap noIcon(16, 16);
    noIcon.fill(Qt::transparent);
    setWindowIcon(QIcon(noIcon));
    // Closing it only hides it; the program ends with the viewer.
    setAttribute(Qt::WA_QuitOnClose, false);

    SpeedButton1 = new SpeedButton(this, SpeedButton::Glyph::Text);
    SpeedButton1->setGeometry(207, 192, 80, 33);
    SpeedButton1->setText(QStringLiteral("OK"));
    SpeedButton1->setTextColour(MakerColour);
    QFont buttonFont = SpeedButton1->font();
    buttonFont.setPixelSize(16);
    SpeedButton1->setFont(buttonFont);
    connect(SpeedButton1, &SpeedButton::clicked, this, &TForm1::SpeedButton1Click);

    Image1 = new FittedImage(this, QImage(QStringLiteral(":/ui/emblem")));
    Image1->setGeometry(32, 40, 200, 120);
    Image1->setAccessibleName(QStringLiteral("Noctivue emblem"));
    Image1->setAccessibleDescription(QStringLiteral("A silver-grey spiral galaxy"));

    Label1 = new TextElement(this, 26, QColor(0xFFADC5E7u), Qt::AlignLeft | Qt::AlignVCenter);
    Label1->setGeometry(264, 32, 177, 41);
    Label1->setText(QStringLiteral("Noctivue"));
    ShadowEffect1 = new QGraphicsDropShadowEffect(this);
    QColor aqua(0xFF00FFFFu);
    aqua.setAlphaF(0.5f);
    ShadowEffect1->setColor(aqua);
    // Distance 2 at 45 degrees, down and to the right; softness 0.1 is a
    // barely visible blur.
    const qreal offset = 2.0 * std::cos(M_PI / 4);
    ShadowEffect1->setOffset(offset, offset);
    ShadowEffect1->setBlurRadius(1.0);
    Label1->setGraphicsEffect(ShadowEffect1);

    Label2 = new TextElement(this, 16, MakerColour, Qt::AlignLeft | Qt::AlignVCenter);
    Label2->setGeometry(264, 80, 177, 25);
    Label2->setText(QStringLiteral("Tarvel Com Ltd."));

    Label3 = new LinkLabel(this, 16, QColor(0xFF6D90D0u));
    Label3->setGeometry(264, 142, 217, 25);
    Label3->setText(QLatin1String(ShortAddress));
    connect(Label3, &LinkLabel::clicked, this, &TForm1::Label3Click);
    Label3->setAccessibleDescription(QLatin1String(PageAddress));

    Label4 = new TextElement(this, 16, MakerColour, Qt::AlignLeft | Qt::AlignVCenter);
    Label4->setGeometry(264, 112, 177, 25);
    Label4->setText(QStringLiteral("Version " NOCTIVUE_VERSION));
}

void TForm1::ShowAbout()
{
    if (isVisible()) {
        raise();
        activateWindow();
        return;
    }
    if (!m_placed && m_viewer) {
        // The outer size counts the frame, which is known only once the
        // native window exists.
        create();
        const QRect viewer = m_viewer->frameGeometry();
        const QSize outer = frameGeometry().size();
        move(viewer.left() + int(std::lround((viewer.width() - outer.width()) / 2.0)),
             viewer.top() + int(std::lround((viewer.height() - outer.height()) / 2.0)));
        m_placed = true;
    }
    show();
    raise();
    activateWindow();
}

void TForm1::SpeedButton1Click()
{
    hide();
    if (m_viewer) {
        m_viewer->raise();
        m_viewer->activateWindow();
    }
}

void TForm1::Label3Click()
{
    QDesktopServices::openUrl(QUrl(QLatin1String(PageAddress)));
}

void TForm1::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    // Near black at the bottom edge, dark blue toward the top.
    QLinearGradient gradient(QPointF(0.5 * width(), height()), QPointF(0.49999997 * width(), 0));
    gradient.setColorAt(0.0, QColor(0xFF0C0E11u));
    gradient.setColorAt(0.9937888, QColor(0xFF244477u));
    gradient.setColorAt(1.0, QColor(0xFF244477u));
    p.fillRect(rect(), gradient);
}

void TForm1::keyPressEvent(QKeyEvent *event)
{
    // Nothing here takes the keyboard, and nothing typed reaches the viewer.
    event->accept();
}
