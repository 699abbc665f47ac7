// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Plain C++ models of the window controls. The logic works on these; the Qt layer mirrors them.
//
// Contract for every control:
// - Setting a value from code stores it, emits `changed` (for the view) and then runs the control's
//   handler before returning, exactly as a user's change would. Setting the value it already has does
//   nothing at all (no signal, no handler), except OptionButton::Select, which always runs its handler.
// - `changed` carries no arguments: observers read the state they need. Observers must not change the
//   control they observe.
// - Texts are UTF-8 strings, as everywhere in the logic.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vesk {

// A list of callbacks, used by the view to follow a model.
template <typename... Args>
class Signal {
  public:
    using Slot = std::function<void(Args...)>;
    void Connect(Slot slot) { m_slots.push_back(std::move(slot)); }
    void Emit(Args... args) const {
        for (const auto& slot : m_slots) slot(args...);
    }

  private:
    std::vector<Slot> m_slots;
};

class Control {
  public:
    explicit Control(std::string name) : m_name(std::move(name)) {}
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    // The control's name as the logic knows it, e.g. "txbFile(1)"; used by views and test transcripts.
    const std::string& Name() const { return m_name; }

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled) {
        if (m_enabled == enabled) return;
        m_enabled = enabled;
        changed.Emit();
    }
    bool Visible() const { return m_visible; }
    void SetVisible(bool visible) {
        if (m_visible == visible) return;
        m_visible = visible;
        changed.Emit();
    }

    // Width in twips, as the view lays the control out (0 until it says); windows placed beside a
    // control read it.
    int Width() const { return m_width; }
    void SetWidth(int twips) { m_width = twips; }

    Signal<> changed;

  private:
    std::string m_name;
    bool m_enabled = true;
    bool m_visible = true;
    int m_width = 0;
};

struct FontSpec {
    enum class Family { Default, FixedPitch, Twirler };
    Family family = Family::Default;
    int pointSize = 8;
    bool bold = false;
    bool operator==(const FontSpec&) const = default;
};

enum class Alignment { Left, Right, Center };

// A control with a caption that can be clicked.
class CaptionedControl : public Control {
  public:
    using Control::Control;
    const std::string& Caption() const { return m_caption; }
    void SetCaption(std::string caption) {
        if (m_caption == caption) return;
        m_caption = std::move(caption);
        changed.Emit();
    }
    // A press or click: runs the handler (the view calls this; so do tests).
    void Click() {
        if (onClick) onClick();
    }
    std::function<void()> onClick;

  private:
    std::string m_caption;
};

class Label : public CaptionedControl {
  public:
    using CaptionedControl::CaptionedControl;
    Alignment GetAlignment() const { return m_alignment; }
    void SetAlignment(Alignment alignment) {
        if (m_alignment == alignment) return;
        m_alignment = alignment;
        changed.Emit();
    }
    const FontSpec& Font() const { return m_font; }
    void SetFont(const FontSpec& font) {
        if (m_font == font) return;
        m_font = font;
        changed.Emit();
    }

  private:
    Alignment m_alignment = Alignment::Left;
    FontSpec m_font;
};

class Button : public CaptionedControl {
  public:
    using CaptionedControl::CaptionedControl;
    bool Bold() const { return m_bold; }
    void SetBold(bool bold) {
        if (m_bold == bold) return;
        m_bold = bold;
        changed.Emit();
    }

    // A key released while the button has the focus; keyCode 112 is F1.
    void KeyUp(int keyCode) {
        if (onKeyUp) onKeyUp(keyCode);
    }
    std::function<void(int)> onKeyUp;

  private:
    bool m_bold = false;
};

// Value 0 (unchecked), 1 (checked) or 2 (grayed).
class CheckBox : public Control {
  public:
    CheckBox(std::string name, std::string caption) : Control(std::move(name)), m_caption(std::move(caption)) {}
    const std::string& Caption() const { return m_caption; }
    int Value() const { return m_value; }
    // Stable address of the value, for code that must see the box's value at the moment it reads it.
    const int& ValueRef() const { return m_value; }
    void SetValue(int value) {
        if (m_value == value) return;
        m_value = value;
        changed.Emit();
        if (onClick) onClick();
    }
    std::function<void()> onClick;

  private:
    std::string m_caption;
    int m_value = 0;
};

class OptionButton : public Control {
  public:
    OptionButton(std::string name, std::string caption) : Control(std::move(name)), m_caption(std::move(caption)) {}
    const std::string& Caption() const { return m_caption; }
    bool Value() const { return m_value; }
    // Selecting runs the click handler even when the button was already selected; the buttons of a group
    // are linked by `group` so that selecting one clears the others.
    void Select() {
        for (OptionButton* other : group)
            if (other != this && other->m_value) {
                other->m_value = false;
                other->changed.Emit();
            }
        if (!m_value) {
            m_value = true;
            changed.Emit();
        }
        if (onClick) onClick();
    }
    std::function<void()> onClick;
    std::vector<OptionButton*> group;

  private:
    std::string m_caption;
    bool m_value = false;
};

// A drop-down list. Index -1 means no selection.
class ComboBox : public Control {
  public:
    using Control::Control;
    const std::vector<std::string>& Items() const { return m_items; }
    int ListIndex() const { return m_index; }
    std::string Text() const { return m_index >= 0 ? m_items[static_cast<std::size_t>(m_index)] : std::string(); }
    // Empties the list; the selection becomes -1 without running the handler.
    void Clear() {
        m_items.clear();
        m_index = -1;
        changed.Emit();
    }
    void AddItem(std::string item) {
        m_items.push_back(std::move(item));
        changed.Emit();
    }
    // Selects an item (or -1). Returns false, changing nothing, when the index is not -1 and not an item.
    bool SetListIndex(int index) {
        if (index < -1 || index >= static_cast<int>(m_items.size())) return false;
        if (m_index == index) return true;
        m_index = index;
        changed.Emit();
        if (onClick) onClick();
        return true;
    }
    std::function<void()> onClick;

  private:
    std::vector<std::string> m_items;
    int m_index = -1;
};

// How the text of a TextBox last changed, for views that append rather than reload.
struct TextChange {
    bool appended = false;  // true: the text grew at its end, the new part starts at `from`
    std::size_t from = 0;
};

class TextBox : public Control {
  public:
    using Control::Control;
    const std::string& Text() const { return m_text; }

    // Replaces the whole text. Throws RunError 7 when the text exceeds the box's capacity.
    void SetText(std::string text);
    // Appends at the end without rewriting the rest. Throws RunError 7 beyond the capacity; the text is then
    // left as it was.
    void Append(std::string_view more);

    // Most characters the box holds; 0 means no limit.
    std::size_t MaxLength() const { return m_maxLength; }
    void SetMaxLength(std::size_t maxLength) { m_maxLength = maxLength; }

    // Caret position, 0-based character index (0 = before the first character).
    std::size_t SelStart() const { return m_selStart; }
    void SetSelStart(std::size_t position);

    // The user (or the program) moves the focus away from the box.
    void LostFocus() {
        if (onLostFocus) onLostFocus();
    }
    // A key typed into the box; returns false when the handler swallowed it.
    bool KeyPress(int keyAscii) { return onKeyPress ? onKeyPress(keyAscii) : true; }

    std::function<void()> onLostFocus;
    std::function<bool(int)> onKeyPress;

    // Emitted after each change of the text (in addition to `changed`, which is not emitted for text).
    Signal<TextChange> textChanged;
    // Emitted after the caret was placed.
    Signal<> caretMoved;

  private:
    std::string m_text;
    std::size_t m_maxLength = 0;
    std::size_t m_selStart = 0;
};

// A window model: caption, visibility, focus and a repaint request.
class Form {
  public:
    explicit Form(std::string name) : m_name(std::move(name)) {}
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    virtual ~Form() = default;

    const std::string& Name() const { return m_name; }
    const std::string& Caption() const { return m_caption; }
    void SetCaption(std::string caption) {
        if (m_caption == caption) return;
        m_caption = std::move(caption);
        changed.Emit();
    }
    bool Visible() const { return m_visible; }
    void Show() {
        if (!m_visible) {
            m_visible = true;
            changed.Emit();
        }
        shown.Emit();
    }
    void Hide() {
        if (!m_visible) return;
        m_visible = false;
        changed.Emit();
    }
    bool Minimized() const { return m_minimized; }
    void SetMinimized(bool minimized) {
        if (m_minimized == minimized) return;
        m_minimized = minimized;
        changed.Emit();
    }

    // Position and size in twips (1/1440 inch).
    int Left() const { return m_left; }
    int Top() const { return m_top; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    void Move(int left, int top) {
        m_left = left;
        m_top = top;
        changed.Emit();
    }
    void Resize(int width, int height) {
        m_width = width;
        m_height = height;
        changed.Emit();
    }

    Control* FocusedControl() const { return m_focus; }
    void SetFocus(Control& control) {
        m_focus = &control;
        focusRequested.Emit(&control);
    }

    Signal<> changed;
    Signal<> shown;  // every Show(), also when already visible (brings it forward)
    Signal<Control*> focusRequested;

  private:
    std::string m_name;
    std::string m_caption;
    bool m_visible = false;
    bool m_minimized = false;
    int m_left = 0, m_top = 0, m_width = 0, m_height = 0;
    Control* m_focus = nullptr;
};

}  // namespace vesk
