#include "form/controlkinds.h"

namespace torvel {

const KindTraits& kindTraits(ControlKind kind) {
    //                                caption text   typed  items  select color
    static const KindTraits kCaption{true, false, false, false, false, false};
    static const KindTraits kField{false, true, true, false, false, false};
    static const KindTraits kComboBox{false, true, true, true, true, false};
    static const KindTraits kListBox{false, false, false, true, true, false};
    static const KindTraits kSwatch{false, false, false, false, false, true};
    static const KindTraits kFileSystemList{false, true, false, true, false, false};
    switch (kind) {
        case ControlKind::TextField:
        case ControlKind::MultiLineText:
            return kField;
        case ControlKind::ComboBox:
            return kComboBox;
        case ControlKind::ListBox:
            return kListBox;
        case ControlKind::Swatch:
            return kSwatch;
        case ControlKind::DriveList:
        case ControlKind::FolderList:
            return kFileSystemList;
        case ControlKind::Frame:
        case ControlKind::Label:
        case ControlKind::Button:
        case ControlKind::PictureButton:
        case ControlKind::Picture:
        case ControlKind::MenuItem:
        case ControlKind::Separator:
            break;
    }
    return kCaption;
}

}  // namespace torvel
