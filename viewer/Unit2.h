// SPDX-License-Identifier: MIT
#pragma once

#include "catalogue/assetview.h"
#include "catalogue/catalogue.h"
#include "catalogue/cataloguetables.h"
#include "logic/gesturerecognizer.h"
#include "viewer/viewercollaborators.h"

#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>

class FloatAnimation;
class InputTranslator;
class ListBox;
class PictureLayer;
class QMenu;
class QAction;
class QTimer;
class RoundedPanel;
class SpeedButton;
class TextElement;

// The viewer module's state, alive for the whole run and touched only on the
// GUI thread. Loops and bounds use PictureTotal, never the slot counts.
inline bool MouseOverPanel = false;
inline float FitScale = 1.0f;
inline int CurrentPicture = -1;
inline int LoopIndex = -1;
inline int PictureTotal = 0;
inline bool DragActive = false;
inline std::int32_t LastGestureDistance = 0;
inline std::array<QString, catalogue::TextSlots> PictureNames;
inline std::array<QString, catalogue::TextSlots> PictureInfo;
inline std::array<AssetView, catalogue::EntryCount> PictureStreams;
inline std::array<AssetView, catalogue::OverlayCount> OverlayStreams;

class TForm2;
inline TForm2 *Form2 = nullptr;

// Puts catalogue entry Index on screen. Only ListBox1Click calls it.
void ShowPicture(int Index);

// The viewer window.
class TForm2 : public QWidget
{
    Q_OBJECT

public:
    explicit TForm2(const ViewerCollaborators &collaborators = {}, QWidget *parent = nullptr);
    ~TForm2() override;

    const ViewerCollaborators &collaborators() const { return m_collaborators; }

    // Elements, in painting order.
    PictureLayer *Image1;
    TextElement *Text1;
    TextElement *Text2;
    TextElement *Label1;
    PictureLayer *Image2;
    RoundedPanel *Panel1;
    ListBox *ListBox1;
    SpeedButton *SpeedButton1;
    SpeedButton *SpeedButton2;
    TextElement *Label2;

    FloatAnimation *FloatAnimation1;
    FloatAnimation *FloatAnimation2;

    QMenu *PopupMenu1;
    QAction *MenuItem1;
    QAction *MenuItem2;
    QAction *MenuItem3;
    QAction *MenuItem4;
    QAction *MenuItem5;
    QAction *MenuItem6;
    QTimer *Timer1;

    void DoZoom(int aIn);

    // The pointer position the drag last followed.
    float fDownX() const { return FDown.x; }
    float fDownY() const { return FDown.y; }

    // Handlers, named after the element and event they serve.
    void FormCreate();
    void FormResize();
    void FormClose();
    void ListBox1Click();

    void FormMouseDown(Qt::MouseButton Button, float X, float Y);
    void FormMouseMove(float X, float Y);
    void FormMouseUp(Qt::MouseButton Button, float X, float Y);
    void FormMouseWheel(int WheelDelta, bool &Handled);
    void FormKeyDown(QChar &KeyChar);
    void FormGesture(const GestureRecord &EventInfo, bool &Handled);
    void ListBox1KeyDown(QChar &KeyChar);
    void Panel1MouseMove();
    void Panel1MouseWheel(int WheelDelta, bool &Handled);
    void SpeedButton1Click();
    void SpeedButton2Click();

    void MenuItem1Click();
    void MenuItem2Click();
    void MenuItem3Click();
    void MenuItem4Click();
    void MenuItem5Click();
    void MenuItem6Click();
    void Timer1Timer();

signals:
    // "About" was chosen; whoever owns the About window shows it.
    void aboutRequested();

protected:
    bool event(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void createElements();
    void createMenu();
    void layoutPass();
    void togglePanel();
    // The slideshow's step, also taken by the long tap.
    void advanceLoop();

    struct PointF32
    {
        float x = 0.0f;
        float y = 0.0f;
    };
    PointF32 FDown;
    ViewerCollaborators m_collaborators;
    InputTranslator *m_input = nullptr;
    // Until the window first reaches its full-screen size, each size change
    // lays the layers out again after the fit scale is set, so the start
    // picture comes up centred.
    bool m_settling = true;
};
