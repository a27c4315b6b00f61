#include "package/image.h"

#include "package/picture_data.h"
#include "package/type_info.h"

namespace scr {

void TPicture::SetData(std::span<const uint8_t> block) { graphic_ = DecodePictureData(block); }

const TClassInfo& TPicture::StaticClassInfo() {
  static const TClassInfo info{"TPicture", nullptr, {props::Binary("Data", PictureDataType(), &TPicture::SetData)}};
  return info;
}

const TClassInfo& TImage::StaticClassInfo() {
  using props::Ordinal;
  using props::WithDefault;
  static const TClassInfo info{
      "TImage",
      &TComponent::StaticClassInfo(),
      {
          Ordinal("Left", IntegerType(), &TImage::Left, &TImage::SetLeft),
          Ordinal("Top", IntegerType(), &TImage::Top, &TImage::SetTop),
          Ordinal("Width", IntegerType(), &TImage::Width, &TImage::SetWidth),
          Ordinal("Height", IntegerType(), &TImage::Height, &TImage::SetHeight),
          WithDefault(Ordinal("AutoSize", BooleanType(), &TImage::AutoSize, &TImage::SetAutoSize), 0),
          WithDefault(Ordinal("Center", BooleanType(), &TImage::Center, &TImage::SetCenter), 0),
          props::Object("Picture", PictureClassType(), &TImage::Picture, &TImage::Picture),
          WithDefault(Ordinal("Proportional", BooleanType(), &TImage::Proportional, &TImage::SetProportional), 0),
          WithDefault(Ordinal("Stretch", BooleanType(), &TImage::Stretch, &TImage::SetStretch), 0),
          WithDefault(Ordinal("Transparent", BooleanType(), &TImage::Transparent, &TImage::SetTransparent), 0),
          WithDefault(Ordinal("Visible", BooleanType(), &TImage::Visible, &TImage::SetVisible), 1),
      }};
  return info;
}

}  // namespace scr
