#pragma once

#include <QColor>
#include <QWidget>

class QGraphicsOpacityEffect;

// A panel drawn as a rounded rectangle without outline. Its opacity applies
// to the panel and its children as one group, as the picture shows through.
class RoundedPanel : public QWidget
{
    Q_OBJECT

public:
    RoundedPanel(QWidget *parent, QColor fill, qreal radius, qreal opacity);

    qreal opacity() const;

signals:
    void mouseMoved();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QColor m_fill;
    qreal m_radius;
    QGraphicsOpacityEffect *m_effect;
};
