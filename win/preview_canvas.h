// The canvas of the drawing preview window: paints the picture double-buffered, zooms with the
// wheel, pans with a drag, and passes a click on an anchor to the window.
#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

namespace korvane::win {

struct App;
struct PreviewWindow;

inline constexpr wchar_t kPreviewCanvasClass[] = L"Korvane Preview Canvas";

bool register_preview_canvas_class(HINSTANCE instance);

// The whole drawing in the canvas.
void fit_preview(PreviewWindow& preview, const App& app);
// The middle of the given texts in the middle of the canvas, the zoom kept.
void centre_preview_on(PreviewWindow& preview, const App& app,
                       const std::vector<std::size_t>& texts);
// The drawing resources of the canvas (back buffer, fonts).
void release_canvas_resources(PreviewWindow& preview);

}  // namespace korvane::win
