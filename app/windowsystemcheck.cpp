// SPDX-License-Identifier: MIT
#include "app/windowsystemcheck.h"

#include "logic/displaycheck.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QLibraryInfo>
#include <QPluginLoader>
#include <QStringList>

#include <cstdlib>
#include <cstring>

namespace {

std::string environment(const char *name)
{
    const char *value = std::getenv(name);
    return value ? value : "";
}

// Where the toolkit looks for its platform plugins.
QStringList pluginFolders()
{
    QStringList folders;
    if (const QString own = QString::fromLocal8Bit(qgetenv("QT_QPA_PLATFORM_PLUGIN_PATH"));
        !own.isEmpty())
        folders << own;
    for (const QString &path : QString::fromLocal8Bit(qgetenv("QT_PLUGIN_PATH"))
                                   .split(QDir::listSeparator(), Qt::SkipEmptyParts))
        folders << path + QStringLiteral("/platforms");
    folders << QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms");
    return folders;
}

// A plugin answers to the keys in its metadata, read without loading it.
bool pluginInstalled(const std::string &name)
{
    const QString wanted = QString::fromStdString(name);
    for (const QString &folder : pluginFolders()) {
        const QDir dir(folder);
        for (const QString &file : dir.entryList(QDir::Files)) {
            const QJsonObject meta = QPluginLoader(dir.filePath(file))
                                         .metaData()
                                         .value(QStringLiteral("MetaData"))
                                         .toObject();
            for (const QJsonValue &key : meta.value(QStringLiteral("Keys")).toArray()) {
                if (key.toString().compare(wanted, Qt::CaseInsensitive) == 0)
                    return true;
            }
        }
    }
    return false;
}

} // namespace

bool windowSystemAvailable(int argc, char **argv)
{
    displaycheck::Environment env;
    env.platform = environment("QT_QPA_PLATFORM");
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            env.platform = argv[i + 1];
    }
    env.display = environment("DISPLAY");
    env.waylandDisplay = environment("WAYLAND_DISPLAY");
    return displaycheck::canOpenWindows(env, pluginInstalled);
}
