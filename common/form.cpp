#include "common/form.h"

#include "common/aside.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QIcon>
#include <QMimeData>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <stdexcept>
#include <vector>

#include "common/i18n.h"
#include "common/native_path.h"
#include "common/runtime_error.h"
#include "common/text.h"

namespace common {
namespace {

QRect PixelRect(const ControlSpec& control) {
  return QRect(TwipsToPixels(control.left), TwipsToPixels(control.top),
               TwipsToPixels(control.width), TwipsToPixels(control.height));
}

}  // namespace

Form::Form(const FormSpec& layout) : layout_(layout) {
  setWindowTitle(ToQString(layout.caption));
  // The client widget has the layout's size; the column keeps the window at
  // exactly that, plus the menu bar's height once there is one.
  column_ = new QVBoxLayout(this);
  column_->setContentsMargins(0, 0, 0, 0);
  column_->setSpacing(0);
  column_->setSizeConstraint(QLayout::SetFixedSize);
  client_ = new QWidget(this);
  client_->setObjectName(QStringLiteral("client"));
  client_->setFixedSize(TwipsToPixels(layout.clientWidth), TwipsToPixels(layout.clientHeight));
  column_->addWidget(client_);
  // Nothing to gain from a bigger window: no maximise button.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  if (!layout.icon.empty()) setWindowIcon(QIcon(ToQString(layout.icon)));
  if (layout.font) {
    QFont font;
    font.setFamilies(ToQString(layout.font->family).split(u',', Qt::SkipEmptyParts));
    font.setPointSizeF(layout.font->points);
    font.setWeight(static_cast<QFont::Weight>(layout.font->weight));
    font.setStyleHint(QFont::SansSerif);
    setFont(font);
  }
  Build();
}

Form::~Form() = default;

QMenuBar& Form::AddMenuBar() {
  if (!menuBar_) {
    menuBar_ = new QMenuBar(this);
    menuBar_->setFont(QApplication::font());  // not a window's own large font
    column_->setMenuBar(menuBar_);
  }
  return *menuBar_;
}

QStatusBar& Form::AddStatusBar() {
  if (!statusBar_) {
    statusBar_ = new QStatusBar(this);
    statusBar_->setFont(QApplication::font());
    statusBar_->setSizeGripEnabled(false);  // the window has a fixed size
    column_->addWidget(statusBar_);
  }
  return *statusBar_;
}

void Form::Build() {
  std::vector<std::pair<int, QWidget*>> focusOrder;
  for (const ControlSpec& control : layout_.controls) {
    if (control.kind == ControlKind::kCommonDialog) {
      dialogs_.emplace(std::string(control.name), std::make_unique<CommonDialog>(this));
      continue;
    }
    QWidget* parent = client_;
    if (!control.container.empty()) parent = &GetControl(control.container);
    QWidget* widget = nullptr;
    switch (control.kind) {
      case ControlKind::kLabel: {
        auto* label = new Label(parent);
        label->SetCaption(control.caption);
        label->setWordWrap(control.wordWrap);
        // Label text stands at the top left, like the labels the layouts were
        // drawn with; a right-aligned display centres its one line.
        label->setAlignment(control.rightAligned ? Qt::AlignRight | Qt::AlignVCenter
                                                 : Qt::AlignLeft | Qt::AlignTop);
        if (control.backColor) {
          QPalette palette = label->palette();
          palette.setColor(QPalette::Window, QColor(ResolveColour(*control.backColor)));
          label->setPalette(palette);
          label->setAutoFillBackground(true);
        }
        widget = label;
        break;
      }
      case ControlKind::kCommandButton:
      case ControlKind::kGraphicalButton: {
        auto* button = new CommandButton(parent);
        if (control.kind == ControlKind::kGraphicalButton) {
          const QIcon icon(ToQString(control.picture));
          // Shown at the picture's own (largest) size, as a graphical button does.
          QSize largest;
          for (const QSize& size : icon.availableSizes())
            if (size.width() > largest.width()) largest = size;
          button->setIcon(icon);
          if (largest.isValid()) button->setIconSize(largest);
        } else {
          button->setText(ToQString(control.caption));
        }
        widget = button;
        break;
      }
      case ControlKind::kPictureBox: {
        auto* picture = new PictureBox(parent);
        if (control.backColor) picture->SetBackColor(*control.backColor);
        picture->SetBounds(PixelRect(control));
        if (control.namedByColour)
          picture->SetColourNamePrefix(std::string(control.accessibleName));
        widget = picture;
        break;
      }
      case ControlKind::kFrame: {
        auto* frame = new QGroupBox(ToQString(control.caption), parent);
        frame->setFocusPolicy(Qt::NoFocus);
        widget = frame;
        break;
      }
      case ControlKind::kCommonDialog:
        break;
    }
    widget->setObjectName(ToQString(control.name));
    widget->setGeometry(PixelRect(control));
    if (!control.toolTip.empty()) widget->setToolTip(ToQString(control.toolTip));
    if (!control.accessibleName.empty() && !control.namedByColour)
      widget->setAccessibleName(Tr("controls", control.accessibleName.data()));
    if (control.tabIndex >= 0 && widget->focusPolicy() != Qt::NoFocus) {
      focusOrder.emplace_back(control.tabIndex, widget);
    } else if (control.kind != ControlKind::kLabel) {
      widget->setFocusPolicy(Qt::NoFocus);
    }
    controls_.emplace(ControlKey(std::string(control.name), control.index), widget);
  }
  std::stable_sort(focusOrder.begin(), focusOrder.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (size_t i = 1; i < focusOrder.size(); ++i)
    QWidget::setTabOrder(focusOrder[i - 1].second, focusOrder[i].second);
  if (!focusOrder.empty()) firstFocus_ = focusOrder.front().second;
}

const Form::Controls::value_type& Form::Entry(std::string_view name, int16_t index) const {
  const auto found = controls_.find(std::pair<std::string_view, int16_t>(name, index));
  if (found == controls_.end())
    throw std::logic_error("no control " + std::string(name) + "(" + std::to_string(index) + ")");
  return *found;
}

QWidget& Form::GetControl(std::string_view name, int16_t index) {
  return *Entry(name, index).second;
}

template <class T>
T& Form::Find(std::string_view name, int16_t index) {
  auto* control = dynamic_cast<T*>(&GetControl(name, index));
  if (!control) throw std::logic_error("control " + std::string(name) + " is of another kind");
  return *control;
}

Label& Form::GetLabel(std::string_view name) {
  return Find<Label>(name, -1);
}
CommandButton& Form::GetButton(std::string_view name, int16_t index) {
  return Find<CommandButton>(name, index);
}
PictureBox& Form::GetPicture(std::string_view name, int16_t index) {
  return Find<PictureBox>(name, index);
}
CommonDialog& Form::GetDialog(std::string_view name) {
  const auto found = dialogs_.find(name);
  if (found == dialogs_.end()) throw std::logic_error("no dialog " + std::string(name));
  return *found->second;
}

void Form::Run(const std::function<void()>& handler) {
  // Work running aside is about to change the document: nothing else may.
  if (AsideWaiting()) return;
  try {
    handler();
  } catch (const RuntimeError& error) {
    QString explanation;
    for (const FaultExplanation& entry : layout_.faultExplanations)
      if (entry.fault == error.fault()) explanation = Tr("faults", entry.text.data());
    common::MsgBox(this, Tr("faults", error.what()).toStdString(), kOkOnly, layout_.caption,
                   explanation.toStdString());
  } catch (const std::exception& error) {
    // Not a fault a handler can raise, but the drawing must not be lost to it.
    common::MsgBox(this, error.what(), kOkOnly, layout_.caption);
  }
}

void Form::Observe(std::string_view control, int16_t index, Event event,
                   const std::function<void()>& handler) {
  HandlerCall call{control, index, event, HandlerCall::kBefore};
  Run([&] {
    handlerCalls(call);
    try {
      handler();
    } catch (...) {
      call.phase = HandlerCall::kFailed;
      handlerCalls(call);
      throw;
    }
    call.phase = HandlerCall::kAfter;
    handlerCalls(call);
  });
}

bool Form::TakeKey(QKeyEvent& event) {
  if (QApplication::activeModalWidget()) return false;
  const bool accepted = event.isAccepted();
  event.ignore();
  Run([&] { keys(event); });
  if (event.isAccepted()) return true;
  event.setAccepted(accepted);
  return false;
}

void Form::closeEvent(QCloseEvent* event) {
  bool asked = false;
  Run([&] {
    event->accept();
    closing(*event);
    asked = true;
  });
  if (!asked) event->ignore();
}

namespace {

QString DroppedFile(const QMimeData* data) {
  for (const QUrl& url : data->urls())
    // From the encoded bytes: a name that is not UTF-8 survives.
    if (url.isLocalFile())
      return FromNative(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
  return {};
}

}  // namespace

void Form::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void Form::dropEvent(QDropEvent* event) {
  const QString file = DroppedFile(event->mimeData());
  if (file.isEmpty()) return;
  event->acceptProposedAction();
  // After the drop is done: what the listeners ask must not hold up the drag.
  QMetaObject::invokeMethod(
      this, [this, file] { Run([&] { fileDropped(file); }); }, Qt::QueuedConnection);
}

void Form::Start() {
  Observe("Form", -1, Event::kLoad, [this] { Load(); });
  if (firstFocus_) firstFocus_->setFocus();
  if (layout_.centred) Centre();
  show();
  // The window manager's frame is known only now; centre the whole window.
  if (layout_.centred) Centre();
}

void Form::Centre() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  QRect frame = frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  move(frame.topLeft());
}

void Form::BindClick(const Controls::value_type& control, std::function<void()> handler) {
  auto observed = [this, name = std::string_view(control.first.first), index = control.first.second,
                   handler = std::move(handler)] { Observe(name, index, Event::kClick, handler); };
  if (auto* button = dynamic_cast<CommandButton*>(control.second)) {
    QObject::connect(button, &QPushButton::clicked, this, observed);
  } else if (auto* picture = dynamic_cast<PictureBox*>(control.second)) {
    picture->click.Add(observed);
  } else {
    throw std::logic_error("control " + control.first.first + " has no click");
  }
}

void Form::OnClick(std::string_view name, std::function<void()> handler) {
  BindClick(Entry(name, -1), std::move(handler));
}

void Form::OnIndexedClick(std::string_view name, const std::function<void(int16_t)>& handler) {
  bool any = false;
  for (const auto& control : controls_) {
    if (control.first.first != name || control.first.second < 0) continue;
    any = true;
    BindClick(control, [handler, index = control.first.second] { handler(index); });
  }
  if (!any) throw std::logic_error("no control array " + std::string(name));
}

void Form::BindMouse(PictureBox::MouseListeners PictureBox::*event, Event kind,
                     std::string_view name, MouseHandler handler) {
  (GetPicture(name).*event)
      .Add([this, control = std::string_view(Entry(name, -1).first.first), kind,
            handler = std::move(handler)](int16_t button, int16_t shift, float x, float y) {
        Observe(control, -1, kind, [&] { handler(button, shift, x, y); });
      });
}

void Form::OnMouseDown(std::string_view name, MouseHandler handler) {
  BindMouse(&PictureBox::mouseDown, Event::kMouseDown, name, std::move(handler));
}
void Form::OnMouseMove(std::string_view name, MouseHandler handler) {
  BindMouse(&PictureBox::mouseMove, Event::kMouseMove, name, std::move(handler));
}
void Form::OnMouseUp(std::string_view name, MouseHandler handler) {
  BindMouse(&PictureBox::mouseUp, Event::kMouseUp, name, std::move(handler));
}

}  // namespace common
