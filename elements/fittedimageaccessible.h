// SPDX-License-Identifier: MIT
#pragma once

#include <QAccessibleWidget>

class FittedImage;

// A picture element as a graphic, described by the element's accessible
// description, with the place and size the picture is drawn at.
class FittedImageAccessible : public QAccessibleWidget, public QAccessibleImageInterface
{
public:
    explicit FittedImageAccessible(FittedImage *image);

    void *interface_cast(QAccessible::InterfaceType type) override;

    QString imageDescription() const override;
    QSize imageSize() const override;
    QPoint imagePosition() const override;

private:
    FittedImage *image() const;
};
