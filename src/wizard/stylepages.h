#pragma once

#include <QString>
#include <QtGlobal>

#include "form/stylevalues.h"

namespace torvel {

class ResultSet;

class FormModel;
class Wizard;

// The style library: the style list on "General Setting" and the two style pages.
void fillStyles(Wizard& w);         // rebuilds cmbStyles ("NEW" and every stored style) and selects "NEW"
void setStandardStyles(Wizard& w);  // the default values; curStyleID = 0
void setStyleData(Wizard& w);       // loads the style chosen in cmbStyles, or the defaults for "NEW"
bool checkStyleImages(Wizard& w);   // the check on leaving "Styles / images"; false keeps the page
// Gathers the assets, stores the style, writes the style sheet and saves the menu; false (nothing
// done) when the style name cannot name its folder.
bool saveStyle(Wizard& w);
void refreshData(Wizard& w);  // rebuilds the list, selects the current style and reloads it
// The style's values as the fields of the two style pages hold them.
StyleSheetValues styleSheetValues(const FormModel& f);
// The same values as a stored style row holds them.
StyleSheetValues styleSheetValues(const ResultSet& style);
// Selects the first entry after "NEW" whose id is `id`; false (list unchanged) when none matches.
bool selectStyleEntry(Wizard& w, qint64 id);

// The open-file dialog's filters: pictures (the four style images and the screenshot) and sounds.
inline const QString kPictureFilter =
    QStringLiteral("Pictures (*.jpg;*.jpeg;*.gif;*.png)|*.jpg;*.jpeg;*.gif;*.png|All files (*.*)|*.*");
inline const QString kSoundFilter =
    QStringLiteral("Sounds (*.wav;*.mp3;*.mid)|*.wav;*.mp3;*.mid|All files (*.*)|*.*");

// True when a style name can serve as a folder name on every platform.
bool isUsableFolderName(const QString& name);

}  // namespace torvel
