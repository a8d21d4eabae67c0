#include "app/main_form.h"

#include "app/commands.h"

namespace vek {

const MainFormButton kMainFormButtons[kMainFormButtonCount] = {
    {"cmdLoad", "LOAD", 870, 5, 40, 10, onLoadClicked},
    {"cmdSave", "SAVE", 920, 5, 40, 10, onSaveClicked},
    {"cmdWorldMap", "VIEW WORLD MAP", 650, 520, 170, 10, onWorldMapClicked},
    {"cmdGenerateFeature", "PLACE FEATURE", 650, 540, 170, 10, onPlaceFeatureClicked},
    {"cmdGenerateCurrentMap", "GENERATE CURRENT MAP", 650, 560, 170, 10,
     onGenerateCurrentMapClicked},
    {"cmdGenerateWorldMap", "GENERATE WORLD MAP", 650, 580, 170, 10, onGenerateWorldMapClicked},
    {"cmdTransformWorldMap", "TRANSFORM WORLD MAP", 830, 580, 165, 10, onTransformWorldMapClicked},
};

Form* buildMainForm(FormManager& manager, CommandContext& context, int width, int height) {
  Form* form = manager.addForm(kMainFormName, 0, 0, width, height);
  if (!form) return nullptr;
  for (const MainFormButton& entry : kMainFormButtons) {
    Button* button = form->add<Button>(entry.name, entry.x, entry.y, entry.width, entry.height);
    if (!button) continue;
    button->setCaption(entry.caption);
    button->onClick = entry.command;
    button->onClickArg1 = &context;
    button->onClickArg2 = nullptr;
  }
  return form;
}

}  // namespace vek
