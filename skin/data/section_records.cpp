// The global settings and the section records of a skin, read from its options text.

#include "skin/data/gradient.h"
#include "skin/data/inherited_keys.h"
#include "skin/data/skin_loader.h"
#include "skin/data/skin_version.h"

namespace skin::data {

namespace {

constexpr std::u16string_view kGlobalInfo = u"GLOBALINFO";

// Reads the keys of one section, following PARENTCLASS for absent keys.
class InheritedReader {
public:
    explicit InheritedReader(const InheritedValues* values) : values_(values) {}

    std::optional<std::u16string> Text(std::u16string_view key) const {
        const InheritedValue* v = Find(key);
        if (!v || !v->Text)
            return std::nullopt;
        return std::u16string(*v->Text);
    }
    std::u16string Text(std::u16string_view key, std::u16string_view absent) const {
        return Text(key).value_or(std::u16string(absent));
    }
    bool Boolean(std::u16string_view key) const {
        auto text = UpperCase(Text(key, u""));
        return text == u"1" || text == u"TRUE";
    }
    // Values written in the section itself come back as written; values of a parent are
    // converted to RGB.
    std::int32_t Integer(std::u16string_view key, std::int32_t absent) const {
        const InheritedValue* v = Find(key);
        if (!v || !v->Integer)
            return absent;
        return v->IntegerIsOwn ? *v->Integer : ColorToRGB(*v->Integer);
    }
    TsFontColor FontColor(bool hot) const {
        if (hot)
            return {Integer(u"HOTFONTCOLOR", 0), Integer(u"HOTTCLEFT", -1),
                    Integer(u"HOTTCTOP", -1), Integer(u"HOTTCRIGHT", -1),
                    Integer(u"HOTTCBOTTOM", -1)};
        return {Integer(u"FONTCOLOR", 0), Integer(u"TCLEFT", -1), Integer(u"TCTOP", -1),
                Integer(u"TCRIGHT", -1), Integer(u"TCBOTTOM", -1)};
    }

private:
    const InheritedValue* Find(std::u16string_view key) const {
        return values_ ? &(*values_)[InheritedKeys::KeyIndex(key)] : nullptr;
    }

    const InheritedValues* values_;
};

void ReadGradient(const InheritedReader& reader, std::u16string_view key,
                  std::u16string_view absent, std::u16string& data, TsGradArray& array,
                  std::int32_t& percent) {
    data = reader.Text(key, absent);
    if (data.size() < 2)
        percent = 0;
    else
        array = ParseGradient(data);
}

TsGeneralData ReadSection(const SkinOptions& options, const InheritedKeys& keys,
                          const std::u16string& name) {
    InheritedReader in(keys.Of(name));
    TsGeneralData gd;
    gd.ClassName = name;
    gd.ParentClass = options.ReadString(name, u"PARENTCLASS", u"");

    gd.Color = ColorToRGB(in.Integer(u"COLOR", kWhite));
    gd.ReservedBoolean = in.Boolean(u"RESERVEDBOOLEAN");
    gd.GiveOwnFont = in.Boolean(u"GIVEOWNFONT");
    gd.GlowCount = in.Integer(u"GLOW", 0);
    gd.GlowMargin = in.Integer(u"GLOWMARGIN", 0);
    gd.FontColor = in.FontColor(false);
    gd.Transparency = in.Integer(u"TRANSPARENCY", 0);
    gd.GradientPercent = in.Integer(u"GRADIENTPERCENT", 0);
    gd.ImagePercent = in.Integer(u"IMAGEPERCENT", 0);
    ReadGradient(in, u"GRADIENTDATA", u" ", gd.GradientData, gd.GradientArray, gd.GradientPercent);
    gd.ShowFocus = in.Boolean(u"SHOWFOCUS");
    gd.FadingEnabled = in.Boolean(u"FADINGENABLED");
    gd.FadingIterations = in.Integer(u"FADINGITERATIONS", 5);
    gd.GlowColor = ColorToRGB(in.Integer(u"GCOL", kWhite));
    gd.GlowSize = static_cast<std::uint8_t>(in.Integer(u"GSIZE", 0));

    gd.Props[0] = {gd.Color,        gd.FontColor,     gd.GradientPercent,
                   gd.GradientData, gd.GradientArray, gd.ImagePercent,
                   gd.GlowColor,    gd.GlowSize,      gd.Transparency};

    gd.States = in.Integer(u"STATES", 4);
    if (gd.States < 2) {
        gd.Props[1] = gd.Props[0];
        return gd;
    }
    gd.HotFontColor = in.FontColor(true);
    gd.HotGlowColor = ColorToRGB(in.Integer(u"HGCOL", kWhite));
    gd.HotGlowSize = static_cast<std::uint8_t>(in.Integer(u"HGSIZE", 0));
    gd.HotColor = in.Integer(u"HOTCOLOR", kWhite);
    gd.HotTransparency = in.Integer(u"HOTTRANSPARENCY", 0);
    gd.HotGradientPercent = in.Integer(u"HOTGRADIENTPERCENT", 0);
    ReadGradient(in, u"HOTGRADIENTDATA", u"", gd.HotGradientData, gd.HotGradientArray,
                 gd.HotGradientPercent);
    gd.HotImagePercent = in.Integer(u"HOTIMAGEPERCENT", 0);
    gd.Props[1] = {gd.HotColor,        gd.HotFontColor,     gd.HotGradientPercent,
                   gd.HotGradientData, gd.HotGradientArray, gd.HotImagePercent,
                   gd.HotGlowColor,    gd.HotGlowSize,      gd.HotTransparency};
    return gd;
}

// Keys of GLOBALINFO that must be integers when they are present at all.
std::int16_t StrictGlobal(const SkinOptions& options, std::u16string_view key,
                          std::int32_t absent) {
    auto value = options.Value(kGlobalInfo, key);
    return static_cast<std::int16_t>(value ? StrictInteger(*value) : absent);
}

// A text of GLOBALINFO; "?" means absent, as everywhere.
std::u16string GlobalText(const SkinOptions& options, std::u16string_view key) {
    std::u16string text = options.ReadString(kGlobalInfo, key, u"");
    return text == u"?" ? std::u16string() : text;
}

std::int16_t Global16(const SkinOptions& options, std::u16string_view key, std::int32_t absent) {
    return static_cast<std::int16_t>(options.ReadInteger(kGlobalInfo, key, absent));
}

} // namespace

void LoadGlobalSettings(TsSkinData& data, const SkinOptions& options) {
    const auto& o = options;
    const std::u16string version = o.ReadString(kGlobalInfo, u"VERSION", u"");
    data.Version = ParseReal(version);
    data.VersionParts = SkinVersion::Parse(version);
    data.Author = GlobalText(o, u"AUTHOR");
    data.Description = GlobalText(o, u"DESCRIPTION");
    data.ExBorderWidth = Global16(o, u"BORDERWIDTH", 4);
    data.ExTitleHeight = Global16(o, u"TITLEHEIGHT", 30);
    data.ExMaxHeight = Global16(o, u"MAXHEIGHT", 0);
    if (data.ExMaxHeight == 0)
        data.ExMaxHeight = data.ExTitleHeight;
    data.ExContentOffs = Global16(o, u"FORMOFFSET", SizingFrameWidth());
    data.ExShadowOffs = Global16(o, u"ALIGNOFFSET", 0);
    data.ExCenterOffs = Global16(o, u"CENTEROFFSET", 0);
    data.ExDrawMode = Global16(o, u"BORDERMODE", 0);
    data.Shadow1Color = o.ReadInteger(kGlobalInfo, u"SHADOW1COLOR", 0);
    data.Shadow1Offset = StrictGlobal(o, u"SHADOW1OFFSET", 0);
    data.Shadow1Blur = StrictGlobal(o, u"SHADOW1BLUR", -1);
    data.Shadow1Transparency = StrictGlobal(o, u"SHADOW1TRANSPARENCY", 0);
    data.BISpacing = Global16(o, u"BISPACE", 0);
    data.BIVAlign = Global16(o, u"BIVALIGN", 0);
    data.BIRightMargin = Global16(o, u"BIRIGHT", 0);
    data.BILeftMargin = Global16(o, u"BILEFT", 0);
    data.BITopMargin = Global16(o, u"BITOP", 0);
    data.BorderColor = o.ReadInteger(kGlobalInfo, u"BORDERCOLOR", 0);
    data.BIKeepHUE = Global16(o, u"BIKEEPHUE", 0);
    data.BICloseGlow = StrictGlobal(o, u"BICONCLOSEGLOW", 0);
    data.BICloseGlowMargin = StrictGlobal(o, u"BICONCLOSEGLOWMARGIN", 0);
    data.BIMaxGlow = StrictGlobal(o, u"BICONMAXGLOW", 0);
    data.BIMaxGlowMargin = StrictGlobal(o, u"BICONMAXGLOWMARGIN", 0);
    data.BIMinGlow = StrictGlobal(o, u"BICONMINGLOW", 0);
    data.BIMinGlowMargin = StrictGlobal(o, u"BICONMINGLOWMARGIN", 0);
    data.UseAeroBluring = o.ReadInteger(kGlobalInfo, u"AEROBLUR", 0) != 0;
    data.ExtShadowColor = o.ReadInteger(kGlobalInfo, u"EXTSHADOW", 0);
}

void LoadSectionRecords(LoadedSkin& skin, const SkinOptions& options) {
    skin.gd.clear();
    skin.gd.reserve(options.SectionNames().size());
    const InheritedKeys keys(options);
    for (const std::u16string& name : options.SectionNames())
        skin.gd.push_back(ReadSection(options, keys, name));
}

} // namespace skin::data
