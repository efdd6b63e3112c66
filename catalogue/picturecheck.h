// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

// Validates a folder of replacement pictures before it is embedded: each file
// must be present, decodable, 1920 x 1080, JPEG for pictures and PNG with alpha
// for overlays. Returns one line per problem, naming the file.
QStringList checkPictureFolder(const QString &dir);
