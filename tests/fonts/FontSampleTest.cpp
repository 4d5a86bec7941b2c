// Writes docs/fonts-sample.png: sample text in every face the program uses, for a person
// to look at. Each line sits on a pale box showing its measured extent and cell.
#include "platform/gfx/Png.h"
#include "platform/gfx/TextLayout.h"
#include "platform/gfx/TextRender.h"
#include "tests/fonts/FontTestSupport.h"
#include "tests/support/TestPaths.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

void Fill(gfx::Surface& s, const CRect& r, gfx::Pixel p)
{
    for (int y = std::max(0, static_cast<int>(r.top)); y < std::min(s.Height(), static_cast<int>(r.bottom)); ++y)
        for (int x = std::max(0, static_cast<int>(r.left)); x < std::min(s.Width(), static_cast<int>(r.right)); ++x)
            s.Set(x, y, p);
}

struct SampleLine {
    const char* label;
    gfx::FontRequest spec;
};

gfx::FontRequest Request(const char* face, int height, int weight = 0, bool italic = false, bool underline = false,
                      bool strikeOut = false)
{
    gfx::FontRequest s;
    s.faceName = face;
    s.height = height;
    s.weight = weight;
    s.italic = italic;
    s.underline = underline;
    s.strikeOut = strikeOut;
    return s;
}

} // namespace

TEST(FontSample, WritesTheSampleSheet)
{
    const std::vector<SampleLine> lines = {
        {"宋体 12 (list cells)", Request("宋体", 12)},
        {"宋体 15 (header titles)", Request("宋体", 15)},
        {"宋体 16 (header titles, set)", Request("宋体", 16)},
        {"宋体 9pt (dialogs, GUI font)", gfx::DefaultGuiFontRequest()},
        {"System font", gfx::SystemFontRequest()},
        {"Arial 18 bold (title)", Request("Arial", 18, 700)},
        {"MS Sans Serif 8pt (pages)", Request("MS Sans Serif", gfx::HeightFromPoints(8))},
        {"宋体 16 bold", Request("宋体", 16, 700)},
        {"宋体 16 italic, underline", Request("宋体", 16, 0, true, true)},
        {"Arial 16 strike-out", Request("Arial", 16, 0, false, false, true)},
        {"NoSuchFace 14", Request("NoSuchFace", 14)},
    };
    const std::string sample = "Googlebot/2.1 66.249.66.1 \"GET /index.html\" 200 中文日志 百度蜘蛛 bad:\xFF\x81!";
    auto labelFont = fonttest::Get("Arial", -11);
    constexpr int kWidth = 760, kLabelWidth = 190;
    int height = 8;
    for (const SampleLine& l : lines)
        height += gfx::FontEngine::Instance().Get(l.spec)->Metrics().tmHeight + 8;

    gfx::Surface sheet(kWidth, height, 0xFFFFFF);
    int y = 8;
    for (const SampleLine& l : lines) {
        auto font = gfx::FontEngine::Instance().Get(l.spec);
        const gfx::TextMetrics& tm = font->Metrics();
        gfx::TextSize size = gfx::MeasureText(*font, sample.data(), sample.size());
        std::string label = l.label;
        gfx::DrawString(sheet, sheet.Bounds(), 6, y + tm.tmAscent - labelFont->Metrics().tmAscent, *labelFont,
                        label.data(), label.size(), RGB(90, 90, 90));
        // Cell box, then the baseline in a slightly darker tone.
        Fill(sheet, CRect(kLabelWidth, y, kLabelWidth + size.cx, y + size.cy), 0xE4ECF8);
        Fill(sheet, CRect(kLabelWidth, y + tm.tmAscent, kLabelWidth + size.cx, y + tm.tmAscent + 1), 0xC8D4EC);
        gfx::DrawString(sheet, sheet.Bounds(), kLabelWidth, y, *font, sample.data(), sample.size(), RGB(0, 0, 0));
        y += tm.tmHeight + 8;
    }

    std::string dir = corvane::test::SourceDir() + "/docs";
    ASSERT_TRUE(std::filesystem::is_directory(dir)) << dir;
    std::string path = dir + "/fonts-sample.png";
    std::string error;
    ASSERT_TRUE(gfx::WritePngFile(sheet, path, false, &error)) << path << ": " << error;
    gfx::Image back;
    ASSERT_TRUE(gfx::ReadPngFile(path, &back, &error)) << error;
    EXPECT_EQ(back.pixels.Width(), kWidth);
    EXPECT_EQ(back.pixels.Height(), height);
}
