#pragma once

#include <QIODevice>
#include <QIcon>
#include <QString>
#include <optional>

// The application icon that a language file names: a file in the host's work area, fetched from
// the host when the program runs under one. The name comes from a file a host may serve, so it
// is only ever taken as a plain file name inside the work area.

// The file of that name in the work area. None when the name could point elsewhere (empty,
// absolute, holding "/", "\", a drive colon, ".." or a control character) or there is no work
// area. A work area without its trailing separator gets one.
std::optional<QString> WorkAreaFile(const QString& work_area, const QString& name);

// Writes the stream's whole contents to the file, replacing it only once all is written. An
// empty text on success, else the reason; a file already there then stays as it was.
QString SaveStreamToFile(QIODevice& stream, const QString& file);

// The icon with every image the file holds; none when the file holds no readable image.
std::optional<QIcon> ReadIconFile(const QString& file);
