#pragma once
// Runs a check with the application font at several desktop sizes (9, 12 and 16 points), the
// font given back afterwards: windows must grow with a large font rather than cut their texts.

#include <QApplication>
#include <QFont>
#include <gtest/gtest.h>

namespace vellumar::testing {

template <typename Check>
void forEachDesktopFontSize(Check check)
{
    const QFont normal = QApplication::font();
    for (const qreal points : {9.0, 12.0, 16.0}) {
        SCOPED_TRACE(points);
        QFont font = normal;
        font.setPointSizeF(points);
        QApplication::setFont(font);
        check();
    }
    QApplication::setFont(normal);
}

}  // namespace vellumar::testing
