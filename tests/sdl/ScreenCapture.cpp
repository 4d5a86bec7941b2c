#include "tests/sdl/ScreenCapture.h"

#include <chrono>
#include <thread>

namespace corvane::test {

namespace {

// Skips whitespace and comments, then reads a decimal number.
bool ReadNumber(std::string_view bytes, std::size_t* pos, long* out)
{
    std::size_t p = *pos;
    for (;;) {
        while (p < bytes.size() && (bytes[p] == ' ' || bytes[p] == '\t' || bytes[p] == '\n' || bytes[p] == '\r'))
            ++p;
        if (p < bytes.size() && bytes[p] == '#') {
            while (p < bytes.size() && bytes[p] != '\n')
                ++p;
            continue;
        }
        break;
    }
    long value = 0;
    std::size_t start = p;
    while (p < bytes.size() && bytes[p] >= '0' && bytes[p] <= '9' && p - start < 9)
        value = value * 10 + (bytes[p++] - '0');
    if (p == start) return false;
    *pos = p;
    *out = value;
    return true;
}

} // namespace

bool ParsePpm(std::string_view bytes, gfx::Surface* out)
{
    if (bytes.size() < 2 || bytes[0] != 'P' || bytes[1] != '6') return false;
    std::size_t pos = 2;
    long width = 0, height = 0, maxval = 0;
    if (!ReadNumber(bytes, &pos, &width) || !ReadNumber(bytes, &pos, &height) || !ReadNumber(bytes, &pos, &maxval))
        return false;
    if (width <= 0 || height <= 0 || width > gfx::Surface::kMaxDimension || height > gfx::Surface::kMaxDimension ||
        maxval <= 0 || maxval > 65535)
        return false;
    if (pos >= bytes.size()) return false;
    ++pos; // the single whitespace before the samples
    std::size_t sample = maxval > 255 ? 2 : 1;
    std::size_t need = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3 * sample;
    if (bytes.size() - pos < need) return false;
    gfx::Surface image(static_cast<int>(width), static_cast<int>(height));
    auto channel = [&](std::size_t at) {
        unsigned v = sample == 2
                         ? (static_cast<unsigned char>(bytes[at]) << 8) | static_cast<unsigned char>(bytes[at + 1])
                         : static_cast<unsigned char>(bytes[at]);
        return static_cast<gfx::Pixel>((v * 255 + static_cast<unsigned>(maxval) / 2) / static_cast<unsigned>(maxval));
    };
    for (int y = 0; y < height; ++y) {
        gfx::Pixel* row = image.Row(y);
        for (int x = 0; x < width; ++x) {
            std::size_t at = pos + (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + x) * 3 * sample;
            row[x] = (channel(at) << 16) | (channel(at + sample) << 8) | channel(at + 2 * sample);
        }
    }
    *out = std::move(image);
    return true;
}

bool CaptureScreen(const XvfbSession& session, gfx::Surface* out, std::string* error)
{
    CommandResult r =
        session.Run({"import", "-display", session.Display(), "-window", "root", "ppm:-"}, 15000, nullptr, false);
    if (!r.started || r.timedOut || r.exitCode != 0) {
        if (error) *error = "import failed (exit " + std::to_string(r.exitCode) + ")";
        return false;
    }
    // import may print warnings to stderr ahead of the image.
    std::size_t at = r.output.find("P6");
    if (at == std::string::npos || !ParsePpm(std::string_view(r.output).substr(at), out)) {
        if (error) *error = "import gave no readable image";
        return false;
    }
    return true;
}

bool CaptureScreenUntil(const XvfbSession& session, const std::function<bool(const gfx::Surface&)>& accept,
                        gfx::Surface* out, int timeoutMs, const std::function<void()>& pump)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (pump) pump();
        std::string error;
        bool ok = CaptureScreen(session, out, &error);
        if (ok && accept(*out)) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

} // namespace corvane::test
