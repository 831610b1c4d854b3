#pragma once
// The controls of the "Settings" page (picture limits, tables, title level, text straightening,
// book-info question) and the snapshot of them that a conversion reads.

#include "convert/conversion_options.h"

class QWidget;

namespace vellumar {

// The page's group boxes with their controls, in a new widget that is a child of `parent`.
QWidget* createSettingsControls(QWidget* parent);

// The conversion options as the controls below `window` show them now. Controls that are
// missing give the defaults.
ConversionOptions readConversionOptions(const QWidget& window);

}  // namespace vellumar
