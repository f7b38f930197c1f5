#pragma once

#include <QPixmap>
#include <QSize>

// The decorative picture of the main panel and the Home and Setup pages: a sky with a
// flight of pigeons over the club's name, drawn at the size asked for.
QPixmap clubPicture(const QSize& size);
