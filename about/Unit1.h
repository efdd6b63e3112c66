// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

class FittedImage;
class LinkLabel;
class QGraphicsDropShadowEffect;
class SpeedButton;
class TextElement;

// The About window: created once, hidden, at start-up; shown and hidden
// from then on, never destroyed before the program ends.
class TForm1 : public QWidget
{
    Q_OBJECT

public:
    // viewer is the window "OK" gives the activation back to; it does not
    // own this one.
    explicit TForm1(QWidget *viewer);

    SpeedButton *SpeedButton1;
    FittedImage *Image1;
    TextElement *Label1;
    TextElement *Label2;
    LinkLabel *Label3;
    QGraphicsDropShadowEffect *ShadowEffect1;
    TextElement *Label4;

    // Modeless: returns at once. A visible window is only raised.
    void ShowAbout();

    void SpeedButton1Click();
    void Label3Click();

    static const char *const PageAddress;

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QWidget *m_viewer;
    bool m_placed = false;
};

inline TForm1 *Form1 = nullptr;
