// SPDX-FileCopyrightText: 2026 Pilgrast Counter developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fittext.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>
#include <cstdlib>

QSize LineEditSizeFor(const QLineEdit* box, const QString& text) {
    // As QLineEdit sizes itself: the text, its fixed side margin of 2 pixels, the text
    // margins and the cursor, then whatever the style's frame and padding add.
    constexpr int sideMargin = 2;
    const QMargins margins = box->textMargins();
    const QSize content(box->fontMetrics().horizontalAdvance(text) + 2 * sideMargin + margins.left() +
                            margins.right() + 1,
                        box->fontMetrics().height());
    QStyleOptionFrame option;
    option.initFrom(box);
    option.lineWidth =
        box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box) : 0;
    // Only the width: the styles' padding above and below is room the text does not need.
    return QSize(box->style()->sizeFromContents(QStyle::CT_LineEdit, &option, content, box).width(),
                 box->height());
}

void ShrinkFontToFit(QLabel* label, qreal smallest) {
    const QWidget* window = label->parentWidget();
    const int centre = label->geometry().center().x();
    constexpr int windowMargin = 4;
    const int halfWidth = std::min(centre, window->width() - 1 - centre) - windowMargin;
    if (halfWidth * 2 > label->width())
        label->setGeometry(centre - halfWidth, label->y(), halfWidth * 2 + 1, label->height());
    QFont font = label->font();
    const int room = label->contentsRect().width();
    while (font.pointSizeF() - 0.5 >= smallest && QFontMetrics(font).horizontalAdvance(label->text()) > room)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    label->setFont(font);
}

namespace {

// Rows share more than one line of pixels: the layouts' places, converted from twips,
// often meet on one, and those stand above each other, not side by side.
bool sameRow(const QRect& a, const QRect& b) {
    return a.top() < b.bottom() && b.top() < a.bottom();
}

bool sameEdge(int a, int b) {
    return std::abs(a - b) <= 2;
}

// Moves the siblings that stand wholly beside the old place of a widget out of its way,
// and with each of them those of other rows that are aligned with it, so that columns stay columns.
void makeRoomBeside(QWidget* grown, const QRect& before) {
    const int rightGrowth = grown->geometry().right() - before.right();
    const int leftGrowth = before.left() - grown->geometry().left();
    QList<QWidget*> siblings;
    for (QWidget* sibling : grown->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (sibling != grown && !sibling->isWindow())
            siblings.append(sibling);
    const auto moveWithColumns = [&](bool rightwards, int growth) {
        const auto beyond = [&](const QRect& place) {
            // A neighbour may start on the widget's last column of pixels, as converted places do.
            return rightwards ? place.left() >= before.right() : place.right() <= before.left();
        };
        QList<QWidget*> moving;
        for (QWidget* sibling : siblings)
            if (sameRow(sibling->geometry(), before) && beyond(sibling->geometry()))
                moving.append(sibling);
        for (qsizetype i = 0; i < moving.size(); ++i)
            for (QWidget* sibling : siblings) {
                const QRect place = sibling->geometry();
                const QRect column = moving.at(i)->geometry();
                if (!moving.contains(sibling) && beyond(place) &&
                    (sameEdge(place.left(), column.left()) || sameEdge(place.right(), column.right())))
                    moving.append(sibling);
            }
        for (QWidget* sibling : moving)
            sibling->move(sibling->x() + (rightwards ? growth : -growth), sibling->y());
    };
    if (rightGrowth > 0)
        moveWithColumns(true, rightGrowth);
    if (leftGrowth > 0)
        moveWithColumns(false, leftGrowth);
}

// A widget that became taller moves every row below it down by as much; of the widgets
// of one row, the one that grew most sets the move.
struct Taller {
    QRect before;
    int growth;
};

void moveRowsDown(const QList<QWidget*>& children, const QList<Taller>& taller) {
    QList<std::pair<QWidget*, int>> moves;
    for (QWidget* child : children) {
        QList<Taller> rowsAbove;
        for (const Taller& grown : taller) {
            if (grown.before.bottom() > child->y())
                continue; // not below it; one starting on its last line of pixels is
            auto row = std::find_if(rowsAbove.begin(), rowsAbove.end(),
                                    [&](const Taller& other) { return sameRow(other.before, grown.before); });
            if (row == rowsAbove.end())
                rowsAbove.append(grown);
            else
                row->growth = std::max(row->growth, grown.growth);
        }
        int offset = 0;
        for (const Taller& row : rowsAbove)
            offset += row.growth;
        moves.append({child, offset});
    }
    for (const auto& [child, offset] : moves)
        child->move(child->x(), child->y() + offset);
}

QList<QWidget*> placedChildren(QWidget* container) {
    QList<QWidget*> children;
    for (QWidget* child : container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!child->isWindow() && !child->layout())
            children.append(child);
    return children;
}

// The container keeps its margins to the right and below its content.
QSize holdingSize(const QWidget* container, const QRect& contentBefore) {
    const QRect content = container->childrenRect();
    return QSize(content.right() + container->width() - contentBefore.right(),
                 content.bottom() + container->height() - contentBefore.bottom())
        .expandedTo(container->size());
}

void fit(QWidget* container) {
    const QList<QWidget*> children = placedChildren(container);
    QList<Taller> taller;
    for (QWidget* child : children) {
        const QRect before = child->geometry();
        QSize needed;
        if (qobject_cast<QGroupBox*>(child)) {
            const QRect frameContent = child->childrenRect();
            fit(child);
            needed = holdingSize(child, frameContent);
        } else {
            needed = NeededSize(child).expandedTo(before.size());
        }
        if (needed == before.size())
            continue;
        const auto* label = qobject_cast<const QLabel*>(child);
        const bool towardsLeft = label && (label->alignment() & Qt::AlignRight);
        child->setGeometry(towardsLeft ? before.right() + 1 - needed.width() : before.x(), before.y(),
                           needed.width(), needed.height());
        makeRoomBeside(child, before);
        if (needed.height() > before.height())
            taller.append({before, needed.height() - before.height()});
    }
    moveRowsDown(children, taller);
    // Nothing may stand left of the edge: the whole content moves right instead.
    int overhang = 0;
    for (const QWidget* child : children)
        overhang = std::max(overhang, -child->x());
    for (QWidget* child : children)
        child->move(child->x() + overhang, child->y());
}

} // namespace

QSize NeededSize(const QWidget* widget) {
    if (const auto* box = qobject_cast<const QLineEdit*>(widget)) {
        QString text =
            box->text().size() >= box->placeholderText().size() ? box->text() : box->placeholderText();
        const QString widest = box->property("widestText").toString();
        if (box->fontMetrics().horizontalAdvance(widest) > box->fontMetrics().horizontalAdvance(text))
            text = widest;
        return LineEditSizeFor(box, text);
    }
    // Taller only where the text itself would be cut, not for a style's more generous padding.
    const auto heightFor = [&](int textHeight) {
        return textHeight > widget->contentsRect().height()
                   ? textHeight + widget->height() - widget->contentsRect().height()
                   : widget->height();
    };
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        if (label->text().isEmpty() || label->wordWrap())
            return {};
        return QSize(label->sizeHint().width(), heightFor(label->fontMetrics().height()));
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return QSize(button->sizeHint().width(), heightFor(button->fontMetrics().height()));
    return {};
}

void GrowToFit(QWidget* window) {
    window->ensurePolished(); // the style's fonts and metrics, as the window will be shown
    const QRect contentBefore = window->childrenRect();
    fit(window);
    window->resize(holdingSize(window, contentBefore));
}
