#include "app/preview.h"

#include <algorithm>

#include "app/command_line.h"
#include "package/component_reader.h"
#include "package/image.h"
#include "package/trailer.h"

namespace scr::app {

namespace {

// Waits, pumping messages and sleeping until a message comes or a short time passes,
// as long as the window exists and its visibility is not the wanted one. False when
// the window went away.
bool WaitForVisibility(platform::TPlatform& p, platform::TWindowHandle window, bool wanted) {
  platform::IWindowing& windows = p.Windowing();
  platform::IApplication& app = p.Application();
  while (windows.IsVisible(window) != wanted) {
    if (!windows.Exists(window)) return false;
    app.ProcessMessages();
    app.WaitForMessages(kPreviewPollMs);
  }
  return true;
}

}  // namespace

void RunPreview(platform::TPlatform& p, std::string_view secondArgument) {
  const platform::TWindowHandle window = WindowHandleArgument(secondArgument);
  if (!WaitForVisibility(p, window, true)) return;

  const std::optional<TRect> rect = p.Windowing().WindowRect(window);
  if (!rect) return;
  const int width = rect->right - rect->left + 1;
  const int height = rect->bottom - rect->top + 1;

  std::unique_ptr<TStream> file = p.Files().OpenRead(p.System().ExecutablePath());
  const std::optional<int32_t> packageLength = ReadPackageLength(*file);
  if (!packageLength) return;
  file->Seek(PackageStart(file->Size(), *packageLength));

  std::unique_ptr<platform::IDeviceContext> dc = p.Windowing().WindowDC(window);
  {
    std::unique_ptr<TImage> image = ReadComponentAs<TImage>(*file);
    const TGraphic* graphic = image->Picture().Graphic();
    if (dc && graphic && !graphic->Empty()) {
      // Only the part inside the client area can show, so only that part is drawn
      // (the rectangle asked for is one pixel larger than the window in each direction).
      const TRect client = p.Windowing().ClientRect(window).value_or(TRect{0, 0, width, height});
      TBitmap24 canvas(std::clamp(client.Width(), 0, width), std::clamp(client.Height(), 0, height));
      if (!canvas.Empty()) {
        graphic->StretchDraw(canvas, TRect{0, 0, width, height});
        dc->DrawBitmap(canvas, canvas.Bounds());
      }
    }
  }
  WaitForVisibility(p, window, false);
}

}  // namespace scr::app
