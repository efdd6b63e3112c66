// SPDX-License-Identifier: MIT
#include "viewer/Unit2.h"

#include "catalogue/bitmapdecoder.h"
#include "catalogue/catalogue.h"
#include "catalogue/cataloguetables.h"
#include "elements/floatanimation.h"
#include "elements/listbox.h"
#include "elements/picturelayer.h"
#include "elements/roundedpanel.h"
#include "elements/speedbutton.h"
#include "elements/textelement.h"
#include "logic/zoommath.h"
#include "viewer/inputtranslator.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <cmath>

namespace {

constexpr int DesignWidth = 731;
constexpr int DesignHeight = 510;
constexpr int FadeMs = 500;
constexpr float PictureOpacity = 1.0f;
constexpr float OverlayOpacity = 0.85f;
// Every embedded picture and overlay; the decoders' own formats.
constexpr QSize PictureSize(1920, 1080);
// If the window system never grants the full-screen size, stop re-centring
// on size changes after this long.
constexpr int SettleMs = 1000;

void showError(const QString &text)
{
    QMessageBox box(QMessageBox::Critical, QCoreApplication::applicationName(), text,
                    QMessageBox::Ok, Form2);
    box.exec();
}

} // namespace

TForm2::TForm2(const ViewerCollaborators &collaborators, QWidget *parent)
    : QWidget(parent), m_collaborators(collaborators)
{
    Form2 = this;
    setWindowTitle(QStringLiteral("Noctivue"));
    setAttribute(Qt::WA_AcceptTouchEvents);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    // paintEvent fills the black itself, leaving out what the picture covers.
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(DesignWidth, DesignHeight);

    createElements();
    createMenu();
    layoutPass();
    // The list keys work from the first moment, before any click.
    ListBox1->setFocus();

    try {
        FormCreate();
    } catch (...) {
        Form2 = nullptr;
        throw;
    }
    FormResize();

    m_input = new InputTranslator(*this);
}

TForm2::~TForm2()
{
    if (Form2 == this)
        Form2 = nullptr;
}

void TForm2::createElements()
{
    Image1 = new PictureLayer(this);

    Text1 = new TextElement(this, 18, QColor(0xFFFFFFFFu), Qt::AlignRight | Qt::AlignTop);
    Text1->setGeometry(480, 41, 200, 300);
    Text2 = new TextElement(this, 18, QColor(0xFFFFFFFFu), Qt::AlignLeft | Qt::AlignTop);
    Text2->setGeometry(688, 41, 305, 300);

    Label1 = new TextElement(this, 22, QColor(0xFFBABABAu), Qt::AlignCenter);
    Label1->setGeometry(192, 0, 401, 40);

    Image2 = new PictureLayer(this);
    Image2->setOpacity(0.0f);

    Panel1 = new RoundedPanel(this, QColor(0xFF323263u), 8.0, 0.8);
    Panel1->setGeometry(40, 40, 257, 321);
    connect(Panel1, &RoundedPanel::mouseMoved, this, &TForm2::Panel1MouseMove);
    Panel1->setAccessibleName(QStringLiteral("Picture list"));

    // The panel's children are drawn at its opacity times their own.
    const qreal panelOpacity = Panel1->opacity();
    ListBox1 = new ListBox(Panel1, QRect(16, 16, 161, 260), 0.9 * panelOpacity);
    ListBox1->keyDown = [this](QChar &keyChar) { ListBox1KeyDown(keyChar); };
    connect(ListBox1, &ListBox::changed, this, &TForm2::ListBox1Click);
    connect(ListBox1, &ListBox::clicked, this, &TForm2::ListBox1Click);
    ListBox1->setAccessibleName(QStringLiteral("Pictures"));

    SpeedButton1 = new SpeedButton(Panel1, SpeedButton::Glyph::ChevronDown);
    SpeedButton1->setGeometry(216, 160, 33, 46);
    SpeedButton1->setOpacity(panelOpacity);
    connect(SpeedButton1, &SpeedButton::clicked, this, &TForm2::SpeedButton1Click);
    SpeedButton1->setAccessibleName(QStringLiteral("Scroll the list down one page"));
    SpeedButton2 = new SpeedButton(Panel1, SpeedButton::Glyph::ChevronUp);
    SpeedButton2->setGeometry(216, 112, 33, 46);
    SpeedButton2->setOpacity(panelOpacity);
    connect(SpeedButton2, &SpeedButton::clicked, this, &TForm2::SpeedButton2Click);
    SpeedButton2->setAccessibleName(QStringLiteral("Scroll the list up one page"));

    Label2 = new TextElement(Panel1, 14, QColor(0xFFA9A9A9u), Qt::AlignLeft | Qt::AlignVCenter);
    Label2->setGeometry(18, 288, 225, 25);
    Label2->setOpacity(panelOpacity);

    FloatAnimation1 = new FloatAnimation(
        this, [this](float v) { Image1->setOpacity(v); }, 0.0f, PictureOpacity, FadeMs,
        m_collaborators.clock);
    FloatAnimation2 = new FloatAnimation(
        this, [this](float v) { Image2->setOpacity(v); }, 0.0f, OverlayOpacity, FadeMs,
        m_collaborators.clock);

    Timer1 = new QTimer(this);
    Timer1->setInterval(30000);
    // A coarse timer could tick up to half a second early or late.
    Timer1->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, &TForm2::Timer1Timer);
}

void TForm2::layoutPass()
{
    Image1->layoutPass(width(), height());
    Image2->layoutPass(width(), height());
}

void TForm2::FormCreate()
{
    MouseOverPanel = false;
    FitScale = 1.0f;
    CurrentPicture = -1;
    LoopIndex = -1;
    PictureTotal = catalogue::EntryCount;

    catalogue::openStreams(*m_collaborators.store, PictureStreams, OverlayStreams);

    DragActive = false;
    Text1->hide();
    Text2->hide();
    Label1->show();

    catalogue::fillTexts(
        PictureNames, [this](const QString &text) { Text1->setText(text); }, PictureInfo);

    for (int i = 0; i < PictureTotal; ++i)
        ListBox1->addItem(catalogue::listRowText(i, PictureNames[i]));

    int r = m_collaborators.randomInt(PictureTotal);
    while (!catalogue::isNebula(r))
        r = m_collaborators.randomInt(PictureTotal);
    ListBox1->setItemIndex(r);
}

void TForm2::FormResize()
{
    const int W = width();
    const int H = height();
    // A window with no area (minimised, or so reported) keeps its last layout.
    if (W <= 0 || H <= 0)
        return;
    Text1->move(int(std::floor(W / 2.0 - 200 - 7)), 40);
    Text2->move(int(std::floor(W / 2.0 + 7)), 40);
    Label1->moveTo(QPointF((W - Label1->width()) / 2.0, Label1->y()));

    const float F = zoommath::fitScale(W, H, FitScale);
    Image1->setScale(F);
    Image2->setScale(F);
    FitScale = F;
}

void TForm2::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (width() <= 0 || height() <= 0)
        return;
    layoutPass();
    FormResize();
    if (m_settling) {
        layoutPass();
        if (isVisible() && screen() && size() == screen()->geometry().size())
            m_settling = false;
    }
}

void TForm2::paintEvent(QPaintEvent *event)
{
    // A picture drawn one pixel per pixel writes every pixel of its
    // rectangle: black beneath it would be painted over at once.
    const QRegion black = event->region() - Image1->opaqueRect().translated(Image1->pos());
    QPainter p(this);
    for (const QRect &r : black)
        p.fillRect(r, Qt::black);
}

void TForm2::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_settling)
        QTimer::singleShot(SettleMs, this, [this] { m_settling = false; });
}

void TForm2::FormClose()
{
    catalogue::releaseStreams(PictureStreams, PictureTotal);
}

void TForm2::closeEvent(QCloseEvent *event)
{
    FormClose();
    event->accept();
    // The viewer is the main window: closing it ends the program even while
    // the About window is open.
    QCoreApplication::quit();
}

void TForm2::ListBox1Click()
{
    const int n = ListBox1->itemIndex();
    if (n == -1)
        return;
    if (n >= PictureTotal)
        return;
    LoopIndex = n;
    ShowPicture(LoopIndex);
}

void TForm2::DoZoom(int aIn)
{
    const std::optional<float> f = zoommath::zoomStep(Image1->scale(), aIn, FitScale);
    if (!f)
        return;
    for (PictureLayer *layer : {Image1, Image2}) {
        layer->setScale(*f);
        layer->setPosition(zoommath::centredPosition(width(), *f, layer->unscaledWidth()),
                           zoommath::centredPosition(height(), *f, layer->unscaledHeight()));
    }
}

void ShowPicture(int Index)
{
    TForm2 *form = Form2;
    if (Index == CurrentPicture)
        return;
    CurrentPicture = Index;

    form->FloatAnimation1->stop();
    form->FloatAnimation2->stop();
    form->Image1->setOpacity(0.0f);
    form->Image2->setOpacity(0.0f);

    // Once decoded, the compressed bytes need not stay resident.
    const AssetStore &store = *form->collaborators().store;
    try {
        form->Image1->reserveBitmap(PictureSize, QImage::Format_RGB32);
        catalogue::decodePicture(PictureStreams[Index], form->Image1->bitmap());
        store.doneReading(PictureStreams[Index]);
        form->Image1->bitmapChanged();
        if (catalogue::hasOverlay(Index)) {
            form->Image2->reserveBitmap(PictureSize, QImage::Format_ARGB32_Premultiplied);
            catalogue::decodeOverlay(OverlayStreams[Index - 1], form->Image2->bitmap());
            store.doneReading(OverlayStreams[Index - 1]);
            form->Image2->bitmapChanged();
        }
    } catch (const CatalogueError &error) {
        showError(error.text());
        return;
    }

    form->FloatAnimation1->start();
    if (form->MenuItem5->isChecked() && catalogue::hasOverlay(Index))
        form->FloatAnimation2->start();

    form->Image1->setScale(FitScale);
    form->Image2->setScale(FitScale);
    form->DoZoom(0);

    form->Label1->setText(PictureNames[Index]);
    form->Label2->setText(catalogue::creditLine(Index));
    form->Text2->setText(PictureInfo[Index]);
}
