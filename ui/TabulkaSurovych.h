#pragma once

#include "ModelSurovych.h"
#include "Tabulka.h"

namespace vertano::ui {

// The raw measurement table of the main window.
class TabulkaSurovych : public Tabulka {
    Q_OBJECT

  public:
    TabulkaSurovych(const Tnastaveni& nastaveni, const Tjazyk& jazyk, QWidget* rodic = nullptr);

    ModelSurovych& Model() { return model_; }
    const ModelSurovych& Model() const { return model_; }

  private:
    ModelSurovych model_;
};

}  // namespace vertano::ui
