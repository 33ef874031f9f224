// The two scenes of the sample screensavers, drawn with plain GDI: stars
// flying out of the centre, and slowly waving curtains of polar light.
#include "savers/scene.h"

#include <cmath>
#include <vector>

namespace {

// A small generator of our own: the scenes need variety, not quality.
unsigned NextRandom(unsigned& state) {
  state = state * 1103515245u + 12345u;
  return (state >> 16) & 0x7FFF;
}

void FillSolid(HDC dc, const RECT& rect, COLORREF color) {
  SetBkColor(dc, color);
  ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

class CStarfield : public CScene {
public:
  CStarfield() : m_stars(kStars) {
    for (Star& star : m_stars)
      Respawn(star, NextRandom(m_seed) % kDepth + 1);
  }

  void Step() override {
    for (Star& star : m_stars)
      if ((star.z -= kSpeed) <= 0)
        Respawn(star, kDepth);
  }

  void Draw(HDC dc, const RECT& area) override {
    FillSolid(dc, area, RGB(0, 0, 0));
    int width = area.right - area.left, height = area.bottom - area.top;
    int cx = area.left + width / 2, cy = area.top + height / 2;
    for (const Star& star : m_stars) {
      int x = cx + star.x * width / (2 * star.z);
      int y = cy + star.y * height / (2 * star.z);
      int glow = 255 - 160 * star.z / kDepth;
      int size = 1 + 3 * (kDepth - star.z) / kDepth;
      RECT dot = {x, y, x + size, y + size};
      FillSolid(dc, dot, RGB(glow, glow, 255 - (255 - glow) / 2));
    }
  }

private:
  static constexpr int kStars = 400, kDepth = 1000, kSpeed = 12, kSpread = 1000;
  struct Star {
    int x, y, z;
  };

  void Respawn(Star& star, int depth) {
    star.x = static_cast<int>(NextRandom(m_seed) % (2 * kSpread)) - kSpread;
    star.y = static_cast<int>(NextRandom(m_seed) % (2 * kSpread)) - kSpread;
    star.z = depth;
  }

  std::vector<Star> m_stars;
  unsigned m_seed = GetTickCount();
};

class CAurora : public CScene {
public:
  void Step() override { m_time += 0.04; }

  void Draw(HDC dc, const RECT& area) override {
    int width = area.right - area.left, height = area.bottom - area.top;
    for (int band = 0; band < 8; ++band) {
      RECT sky = {area.left, area.top + band * height / 8, area.right,
                  area.top + (band + 1) * height / 8};
      FillSolid(dc, sky, RGB(0, 4 + band * 2, 20 + band * 3));
    }
    const COLORREF tints[] = {RGB(40, 255, 140), RGB(60, 200, 255), RGB(180, 90, 255)};
    const int column = width > 400 ? 4 : 2;
    for (int curtain = 0; curtain < 3; ++curtain) {
      for (int x = 0; x < width; x += column) {
        double phase = x * 6.0 / width + m_time * (1 + curtain * 0.3) + curtain * 2;
        int top = static_cast<int>(height * (0.2 + 0.1 * curtain + 0.08 * std::sin(phase) +
                                             0.04 * std::sin(phase * 2.7 - m_time)));
        int length = static_cast<int>(height * (0.25 + 0.1 * std::sin(phase * 0.5 + m_time)));
        const int steps = 6;
        for (int s = 0; s < steps; ++s) {
          RECT piece = {area.left + x, area.top + top + s * length / steps, area.left + x + column,
                        area.top + top + (s + 1) * length / steps};
          FillSolid(dc, piece, Fade(tints[curtain], s, steps));
        }
      }
    }
  }

private:
  // The light is brightest at the curtain's lower edge of each step down.
  static COLORREF Fade(COLORREF color, int step, int steps) {
    int weight = 40 + 160 * (step + 1) / steps;
    return RGB(GetRValue(color) * weight / 255, GetGValue(color) * weight / 255,
               GetBValue(color) * weight / 255);
  }

  double m_time = 0;
};

} // namespace

std::unique_ptr<CScene> CreateScene(const std::string& name) {
  if (name == "aurora")
    return std::make_unique<CAurora>();
  return std::make_unique<CStarfield>();
}
