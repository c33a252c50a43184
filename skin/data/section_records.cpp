// The global settings and the section records of a skin, read from its options text.

#include "skin/data/gradient.h"
#include "skin/data/inherited_keys.h"
#include "skin/data/skin_loader.h"
#include "skin/data/skin_version.h"

namespace skin::data {

namespace {

constexpr std::u16string_view kGlobalInfo = u"GLOBALINFO";

// The place of an inherited key, as a constant.
consteval std::size_t Key(std::u16string_view key) {
    return InheritedKeys::KeyIndex(key);
}

// Reads the keys of one section, following PARENTCLASS for absent keys.
class InheritedReader {
public:
    explicit InheritedReader(const InheritedValues* values) : values_(values) {}

    std::optional<std::u16string> Text(std::size_t key) const {
        const InheritedValue* v = Find(key);
        if (!v || !v->Text)
            return std::nullopt;
        return std::u16string(*v->Text);
    }
    std::u16string Text(std::size_t key, std::u16string_view absent) const {
        return Text(key).value_or(std::u16string(absent));
    }
    // "1" or "true" in any case.
    bool Boolean(std::size_t key) const {
        const InheritedValue* v = Find(key);
        if (!v || !v->Text)
            return false;
        const std::u16string_view text = *v->Text;
        if (text == u"1")
            return true;
        constexpr std::u16string_view kTrue = u"TRUE";
        if (text.size() != kTrue.size())
            return false;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const char16_t c = text[i] >= u'a' && text[i] <= u'z' ? text[i] - u'a' + u'A' : text[i];
            if (c != kTrue[i])
                return false;
        }
        return true;
    }
    // Values written in the section itself come back as written; values of a parent are
    // converted to RGB.
    std::int32_t Integer(std::size_t key, std::int32_t absent) const {
        const InheritedValue* v = Find(key);
        if (!v || !v->Integer)
            return absent;
        return v->IntegerIsOwn ? *v->Integer : ColorToRGB(*v->Integer);
    }
    TsFontColor FontColor(bool hot) const {
        if (hot)
            return {Integer(Key(u"HOTFONTCOLOR"), 0), Integer(Key(u"HOTTCLEFT"), -1),
                    Integer(Key(u"HOTTCTOP"), -1), Integer(Key(u"HOTTCRIGHT"), -1),
                    Integer(Key(u"HOTTCBOTTOM"), -1)};
        return {Integer(Key(u"FONTCOLOR"), 0), Integer(Key(u"TCLEFT"), -1),
                Integer(Key(u"TCTOP"), -1), Integer(Key(u"TCRIGHT"), -1),
                Integer(Key(u"TCBOTTOM"), -1)};
    }

private:
    const InheritedValue* Find(std::size_t key) const {
        return values_ ? &(*values_)[key] : nullptr;
    }

    const InheritedValues* values_;
};

void ReadGradient(const InheritedReader& reader, std::size_t key, std::u16string_view absent,
                  std::u16string& data, TsGradArray& array, std::int32_t& percent) {
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

    gd.Color = ColorToRGB(in.Integer(Key(u"COLOR"), kWhite));
    gd.ReservedBoolean = in.Boolean(Key(u"RESERVEDBOOLEAN"));
    gd.GiveOwnFont = in.Boolean(Key(u"GIVEOWNFONT"));
    gd.GlowCount = in.Integer(Key(u"GLOW"), 0);
    gd.GlowMargin = in.Integer(Key(u"GLOWMARGIN"), 0);
    gd.FontColor = in.FontColor(false);
    gd.Transparency = in.Integer(Key(u"TRANSPARENCY"), 0);
    gd.GradientPercent = in.Integer(Key(u"GRADIENTPERCENT"), 0);
    gd.ImagePercent = in.Integer(Key(u"IMAGEPERCENT"), 0);
    ReadGradient(in, Key(u"GRADIENTDATA"), u" ", gd.GradientData, gd.GradientArray,
                 gd.GradientPercent);
    gd.ShowFocus = in.Boolean(Key(u"SHOWFOCUS"));
    gd.FadingEnabled = in.Boolean(Key(u"FADINGENABLED"));
    gd.FadingIterations = in.Integer(Key(u"FADINGITERATIONS"), 5);
    gd.GlowColor = ColorToRGB(in.Integer(Key(u"GCOL"), kWhite));
    gd.GlowSize = static_cast<std::uint8_t>(in.Integer(Key(u"GSIZE"), 0));

    gd.Props[0] = {gd.Color,        gd.FontColor,     gd.GradientPercent,
                   gd.GradientData, gd.GradientArray, gd.ImagePercent,
                   gd.GlowColor,    gd.GlowSize,      gd.Transparency};

    gd.States = in.Integer(Key(u"STATES"), 4);
    if (gd.States < 2) {
        gd.Props[1] = gd.Props[0];
        return gd;
    }
    gd.HotFontColor = in.FontColor(true);
    gd.HotGlowColor = ColorToRGB(in.Integer(Key(u"HGCOL"), kWhite));
    gd.HotGlowSize = static_cast<std::uint8_t>(in.Integer(Key(u"HGSIZE"), 0));
    gd.HotColor = in.Integer(Key(u"HOTCOLOR"), kWhite);
    gd.HotTransparency = in.Integer(Key(u"HOTTRANSPARENCY"), 0);
    gd.HotGradientPercent = in.Integer(Key(u"HOTGRADIENTPERCENT"), 0);
    ReadGradient(in, Key(u"HOTGRADIENTDATA"), u"", gd.HotGradientData, gd.HotGradientArray,
                 gd.HotGradientPercent);
    gd.HotImagePercent = in.Integer(Key(u"HOTIMAGEPERCENT"), 0);
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
