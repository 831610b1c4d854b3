// The Settings page's controls as the options of a conversion.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QWidget>
#include <memory>

#include "ui/settings/settings_page.h"

namespace vellumar {
namespace {

TEST(SettingsPage, CompleteBookAndAutomaticTitleLevelReachTheOptions)
{
    auto owner = std::make_unique<QWidget>();
    const SettingsControls controls = createSettingsControls(owner.get());
    ConversionOptions options = readConversionOptions(controls);
    EXPECT_FALSE(options.complete);
    EXPECT_EQ(options.titleLevel, 0);

    controls.completeBook->setChecked(true);
    controls.titleLevel->setCurrentIndex(kAutoTitleLevelItem);
    options = readConversionOptions(controls);
    EXPECT_TRUE(options.complete);
    EXPECT_EQ(options.titleLevel, kTitleLevelAuto);

    controls.titleLevel->setCurrentIndex(5);
    EXPECT_EQ(readConversionOptions(controls).titleLevel, 5);
}

}  // namespace
}  // namespace vellumar
