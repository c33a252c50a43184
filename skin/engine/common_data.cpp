#include "skin/engine/common_data.h"

#include "skin/engine/broadcast.h"
#include "skin/engine/skin_manager.h"
#include "skin/render/color_mix.h"
#include "ui/application.h"
#include "ui/control.h"
#include "ui/font.h"
#include "ui/form.h"
#include "ui/win_control.h"

#include <algorithm>
#include <map>
#include <new>
#include <stdexcept>

namespace skin::engine {
namespace {

bool InRanges(int value, std::initializer_list<std::pair<int, int>> ranges) {
    return std::any_of(ranges.begin(), ranges.end(),
                       [value](auto r) { return value >= r.first && value <= r.second; });
}

std::map<const ui::Control*, TsCommonData*>& Registry() {
    static std::map<const ui::Control*, TsCommonData*> registry;
    return registry;
}

ui::Control& ControlOf(ui::Component* owner) {
    auto* control = dynamic_cast<ui::Control*>(owner);
    if (!control)
        throw std::invalid_argument("A control's skin state needs a control as its owner");
    return *control;
}

std::u16string UpperSection(std::u16string_view name) {
    if (name.empty())
        return u"UNKNOWN";
    std::u16string upper(name);
    for (char16_t& c : upper)
        if (c >= u'a' && c <= u'z')
            c = char16_t(c - 32);
    return upper;
}

render::Color ToRender(data::TColor color) {
    return static_cast<render::Color>(data::ColorToRGB(color)) & 0xFFFFFFu;
}

render::Color ToRender(ui::Color color) {
    return static_cast<render::Color>(ui::ColorToRgb(color)) & 0xFFFFFFu;
}

} // namespace

bool IsEditCategory(int c) {
    return InRanges(c, {{2, 18}, {41, 41}, {76, 84}, {131, 140}});
}

bool NeverHot(int c) {
    return InRanges(c, {{19, 19}, {51, 74}, {110, 110}, {141, 161}});
}

bool NeverGlows(int c) {
    return InRanges(c, {{51, 52},
                        {54, 54},
                        {56, 60},
                        {68, 68},
                        {73, 74},
                        {110, 110},
                        {141, 141},
                        {143, 143},
                        {151, 151},
                        {161, 161},
                        {226, 226}});
}

bool FrameFollowsFocus(int c) {
    return InRanges(c, {{2, 18}, {41, 41}, {76, 84}, {96, 96}, {131, 140}});
}

std::u16string_view DefaultSectionOf(int c) {
    if (InRanges(c, {{2, 8},
                     {10, 10},
                     {41, 41},
                     {76, 76},
                     {78, 78},
                     {83, 85},
                     {96, 96},
                     {131, 131},
                     {140, 140},
                     {227, 227}}))
        return u"EDIT";
    if (InRanges(c, {{11, 18}, {81, 82}}))
        return u"COMBOBOX";
    switch (c) {
    case 19:
        return u"BAR";
    case 20:
        return u"BARTITLE";
    case 32:
    case 152:
        return u"CHECKBOX";
    case 33:
        return u"RADIOBUTTON";
    case 51:
    case 59:
    case 68:
    case 73:
        return u"PANEL";
    case 52:
    case 58:
        return u"PANEL_LOW";
    case 53:
    case 54:
    case 60:
        return u"TOOLBAR";
    case 56:
        return u"DRAGBAR";
    case 57:
        return u"TABSHEET";
    case 74:
    case 226:
        return u"GROUPBOX";
    case 75:
        return u"SPLITTER";
    case 92:
    case 95:
        return u"SPEEDBUTTON";
    case 93:
    case 94:
        return u"BUTTON";
    case 98:
        return u"TOOLBUTTON";
    case 141:
    case 143:
        return u"PAGECONTROL";
    case 151:
        return u"STATUSBAR";
    case 161:
        return u"GAUGE";
    case 165:
        return u"TRACKBAR";
    default:
        return {};
    }
}

TsCommonData::TsCommonData(ui::Component* owner, int category, bool create_cache)
    : ui::Component(owner), owner_(ControlOf(owner)), category_(category) {
    (void)create_cache; // the cache starts empty either way and is sized on first use
    Registry()[&owner_] = this;
    layer_ = owner_.AddProcedureLayer(
        [this](ui::Message& message, const ui::ProcedureChain::Next& next) {
            Layer(message, next);
        });
}

TsCommonData::~TsCommonData() {
    layer_ = {};
    auto found = Registry().find(&owner_);
    if (found != Registry().end() && found->second == this)
        Registry().erase(found);
    TsSkinManager* manager = SkinManager();
    if (manager && manager->ActiveGraphControl() == &owner_) {
        MouseAbove = false;
        manager->SetActiveGraphControl(nullptr);
    }
}

TsCommonData* TsCommonData::Of(const ui::Control& control) {
    auto found = Registry().find(&control);
    return found == Registry().end() ? nullptr : found->second;
}

void TsCommonData::SetSkinSection(std::u16string_view section) {
    std::u16string upper = UpperSection(section);
    if (upper == section_)
        return;
    section_ = std::move(upper);
    UpdateIndexes();
    if (owner_.Loading() || owner_.Destroying() || !owner_.Parent() || updating_)
        return;
    if (Skinned())
        Refresh();
    else
        RemoveSkin();
}

TsSkinManager* TsCommonData::SkinManager() const {
    return manager_ ? manager_ : TsSkinManager::Default();
}

void TsCommonData::SetSkinManager(TsSkinManager* manager) {
    manager_ = manager;
    UpdateIndexes();
}

const data::LoadedSkin* TsCommonData::Skin() const {
    return RecordOf() ? SkinManager()->Skin() : nullptr;
}

const data::TsGeneralData* TsCommonData::RecordOf() const {
    const TsSkinManager* manager = SkinManager();
    if (removed_ || !manager || !manager->Active() || !manager->Skin() || section_.empty())
        return nullptr;
    const data::LoadedSkin& skin = *manager->Skin();
    if (indexed_skin_ != &skin) {
        // A new skin: the indexes are looked up again, once.
        indexed_skin_ = &skin;
        skin_index_ = skin.GetSkinIndex(section_);
        border_index_ = -1;
        texture_ = hot_texture_ = -1;
        if (skin.IsValidSkinIndex(skin_index_)) {
            border_index_ = skin.gd[std::size_t(skin_index_)].BorderIndex;
            texture_ = skin.GetTextureIndex(skin_index_, section_, u"PATTERN");
            hot_texture_ = skin.GetTextureIndex(skin_index_, section_, u"HOTPATTERN");
        }
    }
    return skin.IsValidSkinIndex(skin_index_) ? &skin.gd[std::size_t(skin_index_)] : nullptr;
}

int TsCommonData::SkinIndex() const {
    return RecordOf() ? skin_index_ : -1;
}

int TsCommonData::BorderIndex() const {
    return RecordOf() ? border_index_ : -1;
}

bool TsCommonData::Skinned(bool check_active) const {
    if (owner_.Destroying() || !RecordOf())
        return false;
    return !check_active || SkinManager()->SkinActive() || SkinChanging();
}

void TsCommonData::SetCustomColor(bool custom) {
    if (custom == custom_color_)
        return;
    custom_color_ = custom;
    ApplySkinColors(true);
}

void TsCommonData::SetCustomFont(bool custom) {
    if (custom == custom_font_)
        return;
    custom_font_ = custom;
    ApplySkinColors(true);
}

void TsCommonData::SetHUEOffset(int degrees) {
    if (degrees == hue_offset_)
        return;
    hue_offset_ = degrees;
    ApplySkinColors(true);
    Loaded();
    Invalidate();
}

void TsCommonData::SetSaturation(int amount) {
    if (amount == saturation_)
        return;
    saturation_ = amount;
    ApplySkinColors(true);
    Loaded();
    Invalidate();
}

render::SkinBitmap& TsCommonData::EnsureCacheBitmap() {
    const int width = std::max(owner_.Width(), 0), height = std::max(owner_.Height(), 0);
    if (cache_.Width() == width && cache_.Height() == height)
        return cache_;
    cache_ = render::SkinBitmap();
    if (width > 0 && height > 0) {
        try {
            cache_ = render::SkinBitmap(width, height);
        } catch (const std::bad_alloc&) {
            // Left empty: the control paints plainly until memory allows a cache.
        } catch (const std::length_error&) {
        }
    }
    BGChanged = true;
    return cache_;
}

render::ControlSkinState TsCommonData::RenderState() const {
    render::ControlSkinState state;
    if (!RecordOf())
        return state;
    state.SkinIndex = skin_index_;
    state.BorderIndex = border_index_;
    state.Texture = texture_;
    state.HotTexture = hot_texture_;
    state.HUEOffset = hue_offset_;
    state.Saturation = saturation_;
    if (custom_color_)
        state.CustomColor = ToRender(owner_.GetColor());
    return state;
}

void TsCommonData::Loaded() {
    if (section_.empty()) {
        const std::u16string_view by_category = DefaultSectionOf(category_);
        section_ = UpperSection(by_category.empty() ? owner_.ClassName() : by_category);
    }
    UpdateIndexes();
    if (!Skinned() || !owner_.Parent())
        return;
    if (auto* windowed = dynamic_cast<ui::WinControl*>(&owner_);
        windowed && windowed->HandleAllocated())
        if (ui::Form* form = owner_.ParentForm())
            SendSkinCommand(*form, SkinCmdAddChildren, 0, 0, windowed);
    ApplySkinColors(false);
}

void TsCommonData::UpdateIndexes() {
    BGChanged = true;
    removed_ = false;
    indexed_skin_ = nullptr;
    CtrlSkinState = 0;
    BGType = 0;
    const data::TsGeneralData* section = RecordOf();
    if (!section)
        return;
    if (section->ImagePercent > 0)
        BGType |= 0x4;
    UpdatePlainBackground();
}

void TsCommonData::BeginUpdate() {
    ++update_count_;
    updating_ = true;
    CtrlSkinState |= kInUpdate;
    SendSkinCommand(owner_, SkinCmdUpdateBegun);
}

void TsCommonData::EndUpdate(bool repaint) {
    if (update_count_ > 0)
        --update_count_;
    if (update_count_ > 0)
        return;
    updating_ = false;
    CtrlSkinState &= ~kInUpdate;
    SendSkinCommand(owner_, SkinCmdMenuChanged);
    if (repaint)
        Invalidate();
}

void TsCommonData::Invalidate() {
    if (owner_.Loading() || owner_.Destroying())
        return;
    BGChanged = true;
    if (!owner_.Visible() || !owner_.Parent())
        return;
    auto* windowed = dynamic_cast<ui::WinControl*>(&owner_);
    if (!windowed) {
        owner_.Invalidate();
    } else if (windowed->HandleAllocated()) {
        RedrawWindow(windowed->Handle(), nullptr, nullptr,
                     RDW_FRAME | RDW_ALLCHILDREN | RDW_ERASE | RDW_INVALIDATE);
    }
}

bool TsCommonData::RepaintIfMoved() {
    const data::TsGeneralData* section = RecordOf();
    if (!section || UrgentPainting || !owner_.Enabled())
        return true;
    if (section->Transparency <= 0)
        return false;
    ui::WinControl* parent = owner_.Parent();
    return parent && SendSkinCommand(*parent, SkinCmdIsGradient) != 0;
}

bool TsCommonData::HotState() const {
    if (owner_.Destroying() || !owner_.Enabled())
        return false;
    if (Focused)
        return true;
    if (auto* windowed = dynamic_cast<ui::WinControl*>(&owner_);
        windowed && windowed->HandleAllocated() && GetFocus() == windowed->Handle())
        return !InRanges(category_, {{51, 52}, {58, 59}, {68, 68}, {73, 73}});
    return MouseAbove && !NeverHot(category_);
}

bool TsCommonData::GetUpdating() {
    if (!SkinManager())
        return false;
    if ((CtrlSkinState & kPlainBackground) && !HotState())
        return updating_;
    if (owner_.Destroying())
        return updating_;
    if (updating_)
        return true;
    ui::WinControl* parent = owner_.Parent();
    return parent && SendSkinCommand(*parent, SkinCmdIsUpdating) != 0;
}

void TsCommonData::ApplySkinColors(bool repaint) {
    const data::TsGeneralData* section = RecordOf();
    auto* windowed = dynamic_cast<ui::WinControl*>(&owner_);
    if (!section || !IsEditCategory(category_) || !windowed)
        return;
    const auto transformed = [this](data::TColor color) {
        render::Color c = ToRender(color);
        if (hue_offset_ != 0)
            c = render::ShiftHue(c, hue_offset_);
        if (saturation_ != 0)
            c = render::ChangeSaturation(c, saturation_);
        return static_cast<ui::Color>(c & 0xFFFFFFu);
    };
    if (!custom_color_)
        owner_.SetColor(transformed(section->Color));
    if (!custom_font_) {
        ui::Font font = owner_.GetFont();
        font.color = transformed(section->FontColor.Color);
        owner_.SetFont(font);
    }
    if (repaint)
        Invalidate();
}

ui::WinControl* TsCommonData::ParentWindow() const {
    return owner_.Parent();
}

bool TsCommonData::GetParentBackground(BackgroundInfo& info, bool paint) {
    info.Kind = BackgroundInfo::kNotAnswered;
    info.PaintRequested = paint;
    if (!paint)
        info.OffsetX = info.OffsetY = 0;
    ui::WinControl* parent = ParentWindow();
    if (!parent) {
        info.Kind = BackgroundInfo::kPlainColor;
        info.Color = SkinManager() ? SkinManager()->GetGlobalColor() : GetSysColor(COLOR_BTNFACE);
        return false;
    }
    SendSkinCommand(*parent, SkinCmdGetBackground, 0, 0, &info);
    if (info.Kind != BackgroundInfo::kNotAnswered)
        return true;
    if (paint && info.TargetDC && parent->HandleAllocated()) {
        // A parent outside the skin paints itself into the target.
        const int saved = SaveDC(info.TargetDC);
        POINT old{};
        OffsetViewportOrgEx(info.TargetDC, -info.OffsetX, -info.OffsetY, &old);
        IntersectClipRect(info.TargetDC, info.R.left + info.OffsetX, info.R.top + info.OffsetY,
                          info.R.right + info.OffsetX, info.R.bottom + info.OffsetY);
        SendMessageW(parent->Handle(), WM_ERASEBKGND, WPARAM(info.TargetDC), 0);
        SendMessageW(parent->Handle(), WM_PAINT, WPARAM(info.TargetDC), 0);
        RestoreDC(info.TargetDC, saved);
        return false;
    }
    info.Kind = BackgroundInfo::kPlainColor;
    const LRESULT answer = SendSkinCommand(*parent, SkinCmdGetColor);
    info.Color = answer ? COLORREF(answer) : ui::ColorToRgb(parent->GetColor());
    return false;
}

render::TCacheInfo TsCommonData::ParentBackground() {
    BackgroundInfo info;
    GetParentBackground(info, false);
    render::TCacheInfo ci{nullptr, 0, 0, render::Color(info.Color & 0xFFFFFFu), false};
    if (info.Kind == BackgroundInfo::kBitmap && info.Bmp) {
        ci.Bmp = static_cast<const render::SkinBitmap*>(info.Bmp);
        ci.X = info.OffsetX + owner_.Left();
        ci.Y = info.OffsetY + owner_.Top();
        ci.Ready = true;
    }
    return ci;
}

render::Color TsCommonData::ParentColor() {
    ui::WinControl* parent = ParentWindow();
    if (!parent)
        return ToRender(ui::SystemColor(COLOR_BTNFACE));
    if (SendSkinCommand(*parent, SkinCmdCtrlHandled) == 1) {
        const LRESULT answer = SendSkinCommand(*parent, SkinCmdGetColor);
        if (render::Color(answer) != render::kKeyColor)
            return render::Color(answer) & 0xFFFFFFu;
    }
    return ToRender(parent->GetColor());
}

render::Color TsCommonData::EffectiveColor(int state) {
    const data::TsGeneralData* section = RecordOf();
    if (!section || custom_color_)
        return ToRender(owner_.GetColor());
    const render::StateValues values = render::StateValuesOf(*section, state);
    if (values.Transparency <= 0)
        return values.Color;
    return render::ColorSeenThrough(values.Transparency, values.Color, ParentColor());
}

render::Color TsCommonData::AnswerColor() {
    const data::TsGeneralData* section = RecordOf();
    if (!section)
        return ToRender(owner_.GetColor());
    const render::Color own = ToRender(section->Color);
    if (section->Transparency <= 0)
        return own;
    ui::WinControl* parent = ParentWindow();
    if (!parent)
        return ToRender(owner_.GetColor());
    LRESULT answer = SendSkinCommand(*parent, SkinCmdGetColor);
    render::Color behind = render::Color(answer);
    if (answer == 0 || behind == render::kKeyColor)
        behind = ToRender(parent->GetColor());
    return render::ColorSeenThrough(section->Transparency, own, behind);
}

void TsCommonData::AnswerBackground(BackgroundInfo& info, int state) {
    const data::TsGeneralData* section = RecordOf();
    if (!section || custom_color_) {
        info.Kind = BackgroundInfo::kPlainColor;
        info.Color = ui::ColorToRgb(owner_.GetColor());
        return;
    }
    const render::StateValues values = render::StateValuesOf(*section, state);
    render::BackgroundFacts facts;
    facts.Transparency = values.Transparency;
    facts.GradientPercent = values.GradientPercent;
    facts.ImagePercent = values.ImagePercent;
    facts.PlainBackground = (CtrlSkinState & kPlainBackground) != 0;
    facts.HasCache = !cache_.IsEmpty();
    facts.BGChanged = BGChanged;
    facts.Global = ToRender(SkinManager()->GetGlobalColor());
    if (values.Transparency <= 0 && values.GradientPercent <= 0 && values.ImagePercent < 1)
        facts.Effective = EffectiveColor(state);
    const render::BackgroundAnswer answer = render::AnswerBackground(facts);
    switch (answer.Source) {
    case render::BackgroundSource::AskParent: {
        ui::WinControl* parent = ParentWindow();
        if (!parent) {
            info.Kind = BackgroundInfo::kPlainColor;
            info.Color = SkinManager()->GetGlobalColor();
            return;
        }
        // The asker's position moves into the parent's coordinates on the way up.
        if (info.PaintRequested) {
            info.OffsetX += owner_.Left();
            info.OffsetY += owner_.Top();
        }
        SendSkinCommand(*parent, SkinCmdGetBackground, WORD(state), 0, &info);
        if (info.Kind == BackgroundInfo::kBitmap && !info.PaintRequested) {
            info.OffsetX += owner_.Left();
            info.OffsetY += owner_.Top();
        }
        if (info.Kind == BackgroundInfo::kNotAnswered) {
            info.Kind = BackgroundInfo::kPlainColor;
            info.Color = ui::ColorToRgb(parent->GetColor());
        }
        return;
    }
    case render::BackgroundSource::PlainColor:
        info.Kind = BackgroundInfo::kPlainColor;
        info.Color = answer.Color;
        if (answer.Color != render::kKeyColor && !cache_.IsEmpty())
            info.Bmp = &cache_;
        if (info.PaintRequested && info.TargetDC) {
            HBRUSH brush = CreateSolidBrush(answer.Color);
            FillRect(info.TargetDC, &info.R, brush);
            DeleteObject(brush);
        }
        return;
    case render::BackgroundSource::CacheImage:
        info.Kind = BackgroundInfo::kBitmap;
        if (answer.Color)
            info.Color = answer.Color;
        if (!info.PaintRequested) {
            info.Bmp = &cache_;
            info.OffsetX = info.OffsetY = 0;
        } else if (info.TargetDC) {
            BITMAPINFO header{};
            header.bmiHeader.biSize = sizeof(header.bmiHeader);
            header.bmiHeader.biWidth = cache_.Width();
            header.bmiHeader.biHeight = -cache_.Height();
            header.bmiHeader.biPlanes = 1;
            header.bmiHeader.biBitCount = 32;
            header.bmiHeader.biCompression = BI_RGB;
            if (cache_.Stride() == cache_.Width())
                SetDIBitsToDevice(info.TargetDC, info.R.left, info.R.top,
                                  DWORD(info.R.right - info.R.left),
                                  DWORD(info.R.bottom - info.R.top), info.OffsetX,
                                  cache_.Height() - info.OffsetY - (info.R.bottom - info.R.top), 0,
                                  UINT(cache_.Height()), cache_.Row(0), &header, DIB_RGB_COLORS);
        }
        return;
    }
}

void TsCommonData::UpdatePlainBackground() {
    const data::TsGeneralData* section = RecordOf();
    if (!section)
        return;
    const data::LoadedSkin& skin = *indexed_skin_;
    bool plain = section->ImagePercent <= 0 && section->GradientPercent <= 0 &&
                 (section->Transparency <= 0 || section->Transparency >= 100);
    if (skin.IsValidImgIndex(border_index_)) {
        const data::TsMaskData& mask = skin.ma[std::size_t(border_index_)];
        if (mask.DrawMode & data::kDrawModePaintCentre)
            plain = false;
        if (mask.WL + mask.WR > 20 || mask.WT + mask.WB > 20)
            plain = false;
    }
    if (section->Transparency >= 100) {
        ui::WinControl* parent = ParentWindow();
        if (!parent || !(SendSkinCommand(*parent, SkinCmdGetSkinState) & kPlainBackground))
            plain = false;
    }
    if (plain)
        CtrlSkinState |= kPlainBackground;
    else
        CtrlSkinState &= ~kPlainBackground;
}

bool TsCommonData::FromOwnManager(const ui::Message& message) const {
    return message.lParam == reinterpret_cast<LPARAM>(SkinManager());
}

void TsCommonData::Refresh() {
    removed_ = false;
    BGChanged = true;
    updating_ = false;
    ApplySkinColors(true);
    UpdatePlainBackground();
}

void TsCommonData::RemoveSkin() {
    removed_ = true;
    indexed_skin_ = nullptr;
    skin_index_ = border_index_ = texture_ = hot_texture_ = -1;
    updating_ = true;
    cache_ = render::SkinBitmap();
    auto* windowed = dynamic_cast<ui::WinControl*>(&owner_);
    if (windowed && IsEditCategory(category_)) {
        if (!custom_color_)
            owner_.SetColor(ui::SystemColor(COLOR_WINDOW));
        if (!custom_font_) {
            ui::Font font = owner_.GetFont();
            font.color = ui::SystemColor(COLOR_WINDOWTEXT);
            owner_.SetFont(font);
        }
    }
    updating_ = false;
    RedrawFrame();
}

void TsCommonData::RedrawFrame() {
    auto* windowed = dynamic_cast<ui::WinControl*>(&owner_);
    if (windowed && windowed->HandleAllocated())
        RedrawWindow(windowed->Handle(), nullptr, nullptr,
                     RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    else if (!windowed)
        owner_.Invalidate();
}

bool TsCommonData::HandleSkinCommand(ui::Message& m) {
    const WORD command = ui::SkinCommandOf(m);
    const WORD argument = LOWORD(m.wParam);
    auto* windowed = dynamic_cast<ui::WinControl*>(&owner_);
    // Announcements go on to the children, since this control answers as handled.
    const auto pass_on = [&] {
        if (windowed)
            BroadcastToChildren(*windowed, command, m.lParam);
    };
    switch (command) {
    case SkinCmdSetNewSkin:
        if (FromOwnManager(m)) {
            UpdateIndexes();
            ApplySkinColors(false);
        }
        pass_on();
        return false;
    case SkinCmdRemoveSkin:
        if (FromOwnManager(m))
            RemoveSkin();
        pass_on();
        return false;
    case SkinCmdRefresh:
        if (FromOwnManager(m))
            Refresh();
        pass_on();
        return false;
    case SkinCmdBeforeRefresh:
        pass_on();
        return false;
    case SkinCmdUpdateSection:
        if (SkinManager() && section_ == SkinManager()->LastUpdatedSection())
            Invalidate();
        pass_on();
        return false;
    case SkinCmdCtrlHandled:
        m.result = 1;
        return true;
    case SkinCmdSetUpdating:
        updating_ = argument == 1;
        return true;
    case SkinCmdPrepareCache:
        UrgentPainting = argument == 1;
        return true;
    case SkinCmdIsUpdating:
        m.result = BGChanged || updating_;
        return true;
    case SkinCmdGetHalfVisible:
        m.result = HalfVisible;
        return true;
    case SkinCmdSetSection:
        if (const auto* name = reinterpret_cast<const std::u16string*>(m.lParam))
            SetSkinSection(*name);
        return true;
    case SkinCmdBGChanged:
        BGChanged = true;
        return true;
    case SkinCmdIsGradient: {
        const data::TsGeneralData* section = RecordOf();
        if (!section)
            return true;
        ui::WinControl* parent = ParentWindow();
        if (section->Transparency == 100 && parent)
            m.result = SendSkinCommand(*parent, SkinCmdIsGradient);
        else
            m.result = section->GradientPercent + section->ImagePercent > 0 || RepaintIfMoved();
        return true;
    }
    case SkinCmdParentChanged:
        if (RepaintIfMoved()) {
            BGChanged = true;
            if (argument == 1 && windowed && windowed->HandleAllocated())
                RedrawWindow(windowed->Handle(), nullptr, nullptr,
                             RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_NOERASE);
            else if (argument == 1)
                owner_.Invalidate();
            pass_on();
        }
        return true;
    case SkinCmdGetColor:
        m.result = LRESULT(AnswerColor());
        return true;
    case SkinCmdSetHalfVisible:
        HalfVisible = true;
        return true;
    case SkinCmdGetSkinIndex:
        if (auto* index = reinterpret_cast<int*>(m.lParam))
            *index = SkinIndex();
        return true;
    case SkinCmdMouseEnter:
    case SkinCmdMouseLeave:
        MouseAbove = command == SkinCmdMouseEnter && !NeverHot(category_) && owner_.Enabled();
        BGChanged = true;
        if (FrameFollowsFocus(category_))
            RedrawFrame();
        return false;
    case SkinCmdClearCache:
        pass_on();
        cache_ = render::SkinBitmap();
        BGChanged = true;
        updating_ = true;
        return true;
    case SkinCmdGetBackground:
        if (auto* info = reinterpret_cast<BackgroundInfo*>(m.lParam)) {
            AnswerBackground(*info, argument);
            m.result = 1;
        }
        return true;
    case SkinCmdGetSkinState:
        if (argument == 1) {
            UpdatePlainBackground();
            pass_on();
        } else {
            m.result = CtrlSkinState;
        }
        return true;
    case SkinCmdGetSkinData:
        m.result = reinterpret_cast<LRESULT>(this);
        return true;
    case SkinCmdSetPrintDC:
        PrintDC = reinterpret_cast<HDC>(m.lParam);
        if (PrintDC)
            CtrlSkinState |= kPrinting;
        else
            CtrlSkinState &= ~kPrinting;
        return true;
    case SkinCmdGetApplication:
        m.result = reinterpret_cast<LRESULT>(&ui::Application::Instance());
        return true;
    default:
        return false;
    }
}

bool TsCommonData::HandleMessage(ui::Message& m) {
    if (m.msg == ui::WM_SKINCOMMAND)
        return HandleSkinCommand(m);
    auto* windowed = dynamic_cast<ui::WinControl*>(&owner_);
    switch (m.msg) {
    case WM_MOVE:
        if (RepaintIfMoved()) {
            BGChanged = true;
            SendSkinCommand(owner_, SkinCmdParentChanged, 1);
        }
        return false;
    case WM_SIZE:
        if (Skinned()) {
            BGChanged = true;
            if (windowed && RecordOf()->GradientPercent >= 1)
                BroadcastToChildren(*windowed, SkinCmdParentChanged, 0);
        }
        return false;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        BGChanged = true;
        Focused = m.msg == WM_SETFOCUS;
        if (FrameFollowsFocus(category_) && RecordOf() && RecordOf()->States > 1)
            RedrawFrame();
        return false;
    case ui::CM_ENABLEDCHANGED:
        MouseAbove = false;
        Focused = false;
        BGChanged = true;
        return false;
    case ui::CM_MOUSEENTER:
        if (!Skinned())
            return false;
        if (!NeverHot(category_))
            MouseAbove = true;
        if (TsSkinManager* manager = SkinManager()) {
            if (windowed && windowed->HandleAllocated())
                manager->SetActiveControl(windowed->Handle());
            else if (!windowed)
                manager->SetActiveGraphControl(&owner_);
        }
        if (FrameFollowsFocus(category_) && RecordOf()->States > 1)
            RedrawFrame();
        return false;
    case ui::CM_MOUSELEAVE:
        if (!NeverHot(category_))
            MouseAbove = false;
        if (TsSkinManager* manager = SkinManager();
            manager && !windowed && manager->ActiveGraphControl() == &owner_)
            manager->SetActiveGraphControl(nullptr);
        if (FrameFollowsFocus(category_) && owner_.Visible())
            RedrawFrame();
        return false;
    case WM_PARENTNOTIFY:
        // A window made inside this control: its form gives it (or, for a window the framework
        // did not make, this control's children) the skin's handlers.
        if (LOWORD(m.wParam) == WM_CREATE && Skinned()) {
            ui::Control* made = ui::WinControl::FromHandle(reinterpret_cast<HWND>(m.lParam));
            ui::Form* form = owner_.ParentForm();
            if (form && form != &owner_)
                SendSkinCommand(*form, SkinCmdAddChildren, 0, 0, made ? made : &owner_);
        }
        return false;
    case ui::CM_SHOWINGCHANGED:
        if (windowed && windowed->Showing())
            Loaded();
        return false;
    default:
        return false;
    }
}

void TsCommonData::Layer(ui::Message& message, const ui::ProcedureChain::Next& next) {
    if (!HandleMessage(message))
        next(message);
}

} // namespace skin::engine
