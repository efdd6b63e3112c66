// SPDX-License-Identifier: MIT
#include "elements/accessiblefactory.h"

#include "elements/fittedimage.h"
#include "elements/fittedimageaccessible.h"
#include "elements/linklabel.h"
#include "elements/linklabelaccessible.h"
#include "elements/listbox.h"
#include "elements/listboxaccessible.h"
#include "elements/textelement.h"
#include "elements/textelementaccessible.h"

#include <QAccessible>

namespace {

// Asked once per class in an object's ancestry, the most derived first, so a
// link is made a link before it would be made a text.
QAccessibleInterface *create(const QString &className, QObject *object)
{
    if (className == QLatin1String("ListBox")) {
        if (auto *list = qobject_cast<ListBox *>(object))
            return new ListBoxAccessible(list);
    } else if (className == QLatin1String("LinkLabel")) {
        if (auto *link = qobject_cast<LinkLabel *>(object))
            return new LinkLabelAccessible(link);
    } else if (className == QLatin1String("TextElement")) {
        if (auto *text = qobject_cast<TextElement *>(object))
            return new TextElementAccessible(text);
    } else if (className == QLatin1String("FittedImage")) {
        if (auto *image = qobject_cast<FittedImage *>(object))
            return new FittedImageAccessible(image);
    }
    return nullptr;
}

} // namespace

namespace accessiblefactory {

void install()
{
    static const bool installed = [] {
        QAccessible::installFactory(create);
        return true;
    }();
    (void)installed;
}

} // namespace accessiblefactory
