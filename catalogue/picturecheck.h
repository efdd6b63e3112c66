// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

// Validates a folder of replacement pictures before it is embedded: each file
// must be present, 1920 x 1080, JPEG for pictures and PNG with alpha for
// overlays, and must decode through the very decoders the viewer uses, so a
// folder that passes is a folder that shows. Returns one line per problem,
// naming the file.
QStringList checkPictureFolder(const QString &dir);
