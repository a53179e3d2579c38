#include "power/lens_reading.h"
#include "power/residual_caption.h"
#include "power/residual_power.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// Compiles de_DE.UTF-8 into a private folder and selects it for the whole
// process, so the check needs neither root nor a locale the machine happens
// to have.
class GermanLocale : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_folder = std::filesystem::temp_directory_path()
                   / ("pelmaro-locale-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
        std::filesystem::create_directories(m_folder);
        const std::string command = "localedef -i de_DE -f UTF-8 '" + (m_folder / "de_DE.UTF-8").string()
                                    + "' >/dev/null 2>&1";
        ASSERT_EQ(std::system(command.c_str()), 0) << "localedef (package locales) is needed";
        ::setenv("LOCPATH", m_folder.c_str(), 1);
        m_previous = std::setlocale(LC_ALL, nullptr);
        ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr);
    }

    void TearDown() override
    {
        std::setlocale(LC_ALL, m_previous.c_str());
        ::unsetenv("LOCPATH");
        std::filesystem::remove_all(m_folder);
    }

private:
    std::filesystem::path m_folder;
    std::string m_previous;
};

std::vector<std::string> Captions()
{
    const power::ScrollPositions rows[] = {
        {975, 50, 45, 1025, 0, 90},
        {1000, 100, 150, 1000, 50, 120},
        {800, 50, 160, 800, 75, 140},
        {1000, 100, 120, 1000, 200, 160},
        {1234, 17, 3, 2000, 500, 179},
    };
    std::vector<std::string> captions;
    for (const auto& p : rows) {
        captions.push_back(power::DioptreCaption(power::SphereFromPosition(p[0])));
        captions.push_back(power::DioptreCaption(power::CylinderFromPosition(p[1])));
        captions.push_back(power::AxisCaption(power::AxisFromPosition(p[2])));
        captions.push_back(power::ResidualCaption(
            power::ResidualPower(power::CheckReading(p), power::MeasuredReading(p))));
    }
    return captions;
}

TEST_F(GermanLocale, CaptionsKeepTheDecimalPoint)
{
    std::setlocale(LC_ALL, "C");
    const std::vector<std::string> inC = Captions();
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr);

    // The trap is armed: the C library now writes a decimal comma.
    char printed[16];
    std::snprintf(printed, sizeof printed, "%.2f", 0.25);
    ASSERT_STREQ(printed, "0,25");

    EXPECT_EQ(Captions(), inC);
    EXPECT_EQ(inC[0], "＋0.25Ｄ");
    EXPECT_EQ(inC[7], "Ｓ＋0.18Ｄ Ｃ-0.87Ｄ Ａ15°");
}

}  // namespace
