#pragma once

#include <QIcon>
#include <QImage>

// The program's icon: a small flag of three stripes, black over red over yellow,
// framed by a one-pixel black line, transparent above and below.
QImage FlagImage(int size);
QIcon FlagIcon(); // 16 × 16 and 32 × 32
