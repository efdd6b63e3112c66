// SPDX-License-Identifier: MIT
#include "elements/fittedimageaccessible.h"

#include "elements/fittedimage.h"

FittedImageAccessible::FittedImageAccessible(FittedImage *image)
    : QAccessibleWidget(image, QAccessible::Graphic)
{}

FittedImage *FittedImageAccessible::image() const
{
    return static_cast<FittedImage *>(widget());
}

void *FittedImageAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ImageInterface)
        return static_cast<QAccessibleImageInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString FittedImageAccessible::imageDescription() const
{
    return image()->accessibleDescription();
}

QSize FittedImageAccessible::imageSize() const
{
    return image()->pictureRect().size().toSize();
}

QPoint FittedImageAccessible::imagePosition() const
{
    return image()->mapToGlobal(image()->pictureRect().topLeft()).toPoint();
}
