// What a sample screensaver shows: a scene that advances one frame at a time
// and paints itself into any rectangle, whether a preview pane or a screen.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

class CScene {
public:
  virtual ~CScene() = default;
  virtual void Step() = 0;
  virtual void Draw(HDC dc, const RECT& area) = 0;
};

// "aurora" gives the aurora; any other name the starfield.
std::unique_ptr<CScene> CreateScene(const std::string& name);
