// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DialogBuilder.h"

#include <QDialog>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <array>
#include <cmath>
#include <map>

#include "app/AppResources.h"
#include "app/ControlIds.h"
#include "app/DescriptionText.h"
#include "app/PresetBox.h"
#include "app/StaticText.h"

namespace lumetra {

namespace {

QString qText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QRect pixels(DuRect du, DialogBaseUnits base) {
    return dialogUnitsToPixels(QRect(du.x, du.y, du.width, du.height), base);
}

// Unkerned widths of texts in a dialog's font, each character measured once: a dialog's labels
// share few characters, and shaping every label's text costs more than building its fields.
class TextWidths {
  public:
    explicit TextWidths(const QFont& font) : metrics_(font) { advances_.fill(-1); }

    // At least the width of `text`: the advances of its characters without kerning, which only
    // narrows.
    int unkerned(const QString& text) {
        qreal width = 0;
        for (const QChar character : text) {
            width += advance(character);
        }
        return static_cast<int>(std::ceil(width));
    }

  private:
    qreal advance(QChar character) {
        if (character.unicode() >= advances_.size()) {
            return metrics_.horizontalAdvance(character);
        }
        qreal& known = advances_[character.unicode()];
        if (known < 0) {
            known = metrics_.horizontalAdvance(character);
        }
        return known;
    }

    QFontMetricsF metrics_;
    std::array<qreal, 256> advances_{};  // Latin-1 characters, -1 until measured
};

// A text of the dialog's font (texts inherit it), whose widths `widths` measures.
StaticText* makeLabel(QWidget* parent, std::string_view text, DuRect at, DialogBaseUnits base,
                      Qt::Alignment horizontal, TextWidths& widths) {
    auto* label = new StaticText(qText(text), horizontal | Qt::AlignTop, parent);
    // The template was measured in a narrower font than most systems have; a text that does
    // not fit widens its label (away from its aligned edge) rather than being cut off.
    QRect rect = pixels(at, base);
    const int needed = widths.unkerned(label->text());
    if (needed > rect.width()) {
        if (horizontal & Qt::AlignRight) {
            rect.setLeft(rect.right() - needed + 1);
        } else {
            rect.setWidth(needed);
        }
    }
    label->setGeometry(rect);
    return label;
}

QPushButton* makeButton(QWidget* parent, const ControlLayout& control, DialogBaseUnits base,
                        bool isDefault) {
    auto* button = new QPushButton(qText(control.text), parent);
    button->setGeometry(pixels(control.at, base));
    // Enter must never press a button of the main dialog; only the small dialogs have a default.
    button->setAutoDefault(isDefault);
    button->setDefault(isDefault);
    return button;
}

// The controls made so far by their ids, for chaining the tab order without searching the
// dialog's children for each.
using ControlsById = std::map<int, QWidget*>;

QWidget* makeControl(QDialog& dialog, const ControlLayout& control, DialogBaseUnits base,
                     TextWidths& widths) {
    QWidget* widget = nullptr;
    switch (control.kind) {
        case ControlKind::Label:
            widget = makeLabel(&dialog, control.text, control.at, base, Qt::AlignLeft, widths);
            break;
        case ControlKind::RightLabel:
            widget = makeLabel(&dialog, control.text, control.at, base, Qt::AlignRight, widths);
            break;
        case ControlKind::SunkenText: {
            auto* text = new DescriptionText(&dialog);
            text->setText(qText(control.text));
            text->setGeometry(pixels(control.at, base));
            widget = text;
            break;
        }
        case ControlKind::Picture: {
            auto* label = new QLabel(&dialog);
            label->setGeometry(pixels(control.at, base));
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            widget = label;
            break;
        }
        case ControlKind::Frame:
            widget = new QWidget(&dialog);
            widget->setGeometry(pixels(control.at, base));
            widget->hide();
            break;
        case ControlKind::PushButton:
        case ControlKind::DefaultButton: {
            const bool isDefault = control.kind == ControlKind::DefaultButton;
            auto* button = makeButton(&dialog, control, base, isDefault);
            if (control.id == kOkId) {
                QObject::connect(button, &QPushButton::clicked, &dialog, &QDialog::accept);
            } else if (control.id == kCancelId) {
                QObject::connect(button, &QPushButton::clicked, &dialog, &QDialog::reject);
            }
            widget = button;
            break;
        }
        case ControlKind::Icon: {
            auto* label = new QLabel(&dialog);
            const QRect at = pixels(control.at, base);
            label->setGeometry(at);
            label->setPixmap(applicationIcon().pixmap(at.size()));
            widget = label;
            break;
        }
    }
    if (control.id != 0) {
        setControlId(widget, control.id);
    }
    return widget;
}

}  // namespace

DialogBaseUnits prepareDialog(QDialog& dialog, std::string_view caption, DuRect size) {
    dialog.setFont(dialogFont());
    dialog.setWindowTitle(qText(caption));
    dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    const DialogBaseUnits base = dialogBaseUnits(dialog.font());
    dialog.setFixedSize(pixels(size, base).size());
    return base;
}

MainDialogControls buildMainDialog(QDialog& dialog) {
    const DialogBaseUnits base = prepareDialog(dialog, kMainDialogCaption, kMainDialogSize);
    TextWidths widths(dialog.font());
    MainDialogControls controls;
    ControlsById byId;

    // Group boxes first, so that the controls inside them lie above their frames.
    for (const GroupBoxLayout& group : kGroupBoxes) {
        auto* box = new QGroupBox(qText(group.text), &dialog);
        box->setGeometry(pixels(group.at, base));
        box->setFocusPolicy(Qt::NoFocus);
    }

    for (const FieldLayout& row : kFieldLayout) {
        const QuantityControls& ids = kQuantityControls[row.quantity];
        if (!row.label.empty()) {
            makeLabel(&dialog, row.label, row.labelAt, base, Qt::AlignLeft, widths);
        }
        auto* edit = new QLineEdit(&dialog);
        edit->setGeometry(pixels(row.editAt, base));
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        setControlId(edit, ids.editId);
        byId[ids.editId] = edit;
        controls.fields[row.quantity] = edit;
        if (!row.unit.empty()) {
            makeLabel(&dialog, row.unit, row.unitAt, base, Qt::AlignLeft, widths);
        }
        auto* box = new PresetBox(qText(kPresetBoxText), &dialog);
        box->setGeometry(pixels(row.boxAt, base));
        box->setEnabled(ids.box != PresetBoxKind::Disabled);
        box->setVisible(ids.box != PresetBoxKind::Hidden);
        setControlId(box, ids.boxId);
        byId[ids.boxId] = box;
        controls.boxes[row.quantity] = box;
    }

    for (const ControlLayout& control : kOtherControls) {
        QWidget* widget = makeControl(dialog, control, base, widths);
        if (control.id != 0) {
            byId[control.id] = widget;
        }
        switch (control.id) {
            case kDescriptionId:
                controls.description = static_cast<QLabel*>(widget);
                break;
            case kHelpPictureId:
                controls.helpPicture = static_cast<QLabel*>(widget);
                break;
            case kHelpAreaId:
                controls.helpArea = widget;
                break;
            case kTableFrameId:
                controls.tableFrame = widget;
                break;
            case kChartAreaId:
                controls.chartArea = widget;
                break;
            case kChartPictureId:
                controls.chartPicture = static_cast<QLabel*>(widget);
                break;
            case kLoadButtonId:
                controls.loadButton = static_cast<QPushButton*>(widget);
                break;
            case kSaveButtonId:
                controls.saveButton = static_cast<QPushButton*>(widget);
                break;
            case kChooseLocationButtonId:
                controls.chooseLocationButton = static_cast<QPushButton*>(widget);
                break;
            case kCancelId:
                controls.cancelButton = static_cast<QPushButton*>(widget);
                break;
            default:
                break;
        }
    }
    // The help and chart pictures lie over their frames.
    controls.helpPicture->raise();
    controls.chartPicture->raise();

    QWidget* previous = nullptr;
    for (const int id : kTabOrder) {
        const auto found = byId.find(id);
        QWidget* next = found != byId.end() ? found->second : nullptr;
        if (previous != nullptr && next != nullptr) {
            QWidget::setTabOrder(previous, next);
        }
        if (next != nullptr) {
            previous = next;
        }
    }
    return controls;
}

void buildSmallDialog(QDialog& dialog, const SmallDialogTemplate& dialogTemplate,
                      std::span<const ControlLayout> controls) {
    const DialogBaseUnits base = prepareDialog(dialog, dialogTemplate.caption, dialogTemplate.size);
    TextWidths widths(dialog.font());
    dialog.setWindowIcon(applicationIcon());
    for (const ControlLayout& control : controls) {
        makeControl(dialog, control, base, widths);
    }
}

}  // namespace lumetra
