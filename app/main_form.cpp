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
};

Form* buildMainForm(FormManager& manager, CommandContext& context, int width, int height) {
  Form* form = manager.addForm(kMainFormName, 0, 0, width, height);
  if (!form) return nullptr;
  for (const MainFormButton& spec : kMainFormButtons) {
    Button* button = form->add<Button>(spec.name, spec.x, spec.y, spec.width, spec.height);
    if (!button) continue;
    button->setCaption(spec.caption);
    button->onClick = spec.command;
    button->onClickArg1 = &context;
    button->onClickArg2 = nullptr;
  }
  return form;
}

}  // namespace vek
