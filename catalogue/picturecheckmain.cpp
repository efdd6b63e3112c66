// SPDX-License-Identifier: MIT
// Checks a folder of replacement pictures before the build embeds it.
//
//   noctivue-picturecheck <dir>

#include "catalogue/picturecheck.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: noctivue-picturecheck <dir>\n");
        return 2;
    }
    const QStringList problems = checkPictureFolder(args[1]);
    for (const QString &problem : problems)
        std::fprintf(stderr, "noctivue: bad picture %s\n", qPrintable(problem));
    return problems.isEmpty() ? 0 : 1;
}
