#include "app/main_form.h"

#include "app/commands.h"
#include "app/world_export.h"

namespace vek {

const MainFormButton kMainFormButtons[kMainFormButtonCount] = {
    {"cmdLoad", "LOAD", 870, 5, 40, 10, loadMap},
    {"cmdSave", "SAVE", 920, 5, 40, 10, saveMap},
    {"cmdWorldMap", "VIEW WORLD MAP", 650, 520, 170, 10, viewWorldMap},
    {"cmdGenerateFeature", "PLACE FEATURE", 650, 540, 170, 10, placeFeatureOnMap},
    {"cmdGenerateCurrentMap", "GENERATE CURRENT MAP", 650, 560, 170, 10, generateMapFromScript},
    {"cmdGenerateWorldMap", "GENERATE WORLD MAP", 650, 580, 170, 10, generateWorldFromScript},
    {"cmdTransformWorldMap", "TRANSFORM WORLD MAP", 650, 650, 170, 10, transformWorldFromScript},
    {"cmdUndo", "UNDO", 650, 605, 80, 10, undoChange},
    {"cmdRedo", "REDO", 740, 605, 80, 10, redoChange},
    {"cmdExportPicture", "EXPORT PICTURE", 830, 520, 165, 10, exportWorldPicture},
    {"cmdSaveAs", "SAVE AS", 650, 625, 170, 10, saveMapAs},
};

Form* buildMainForm(FormManager& manager, CommandContext& context, int width, int height) {
  Form* form = manager.addForm(kMainFormName, 0, 0, width, height);
  if (!form) return nullptr;
  for (const MainFormButton& entry : kMainFormButtons) {
    Button* button = form->add<Button>(entry.name, entry.x, entry.y, entry.width, entry.height);
    if (!button) continue;
    button->setCaption(entry.caption);
    auto command = entry.command;
    button->onPress = [command, &context] { command(context); };
  }
  return form;
}

}  // namespace vek
