#pragma once

#include <optional>

#include "NastaveniOkno.h"

namespace vertano::ui {

// The eight settings dialogs. Each shows the settings in the display units,
// accepts changes within its bounds, stores them in internal units and makes
// stale the results that depend on them (workspace/ZmenyNastaveni.h).

// "Options - Units": units, decimals, coordinate system and order.
class NastaveniJednotkyOkno : public NastaveniOkno {
    Q_OBJECT
  public:
    NastaveniJednotkyOkno(QWidget* rodic, Workspace& ws);

  protected:
    void PoUlozeni(unsigned skupiny) override;
};

// "Options - Checking": the limits of the checks.
class NastaveniKontrolaOkno : public NastaveniOkno {
    Q_OBJECT
  public:
    NastaveniKontrolaOkno(QWidget* rodic, Workspace& ws);

  protected:
    void PoUlozeni(unsigned skupiny) override;
};

// "Options - Mirroring": the face differences mirroring assumes.
class NastaveniZrcadleniOkno : public NastaveniOkno {
    Q_OBJECT
  public:
    NastaveniZrcadleniOkno(QWidget* rodic, Workspace& ws);

  protected:
    void PoUlozeni(unsigned skupiny) override;
};

// "Options - Distance reduction".
class NastaveniRedukceOkno : public NastaveniOkno {
    Q_OBJECT
  public:
    NastaveniRedukceOkno(QWidget* rodic, Workspace& ws);

  protected:
    void PoUlozeni(unsigned skupiny) override;
};

// "Options - Network adjustment".
class NastaveniSitOkno : public NastaveniOkno {
    Q_OBJECT
  public:
    NastaveniSitOkno(QWidget* rodic, Workspace& ws);

  protected:
    void PoUlozeni(unsigned skupiny) override;

  private:
    bool zachovatPuvodne_ = false;
};

// "Options - Transformation with adjustment".
class NastaveniTransformaceOkno : public NastaveniOkno {
    Q_OBJECT
  public:
    NastaveniTransformaceOkno(QWidget* rodic, Workspace& ws);

  protected:
    void PoUlozeni(unsigned skupiny) override;
};

// "A priori network analysis": the standard deviations of the three sources and
// the choice of the source of the weights.
class NastaveniVahOkno : public NastaveniOkno {
    Q_OBJECT
  public:
    NastaveniVahOkno(QWidget* rodic, Workspace& ws);

  protected:
    void PoUlozeni(unsigned skupiny) override;

  private:
    int volba_ = 3;
    std::optional<Real> smer_, zenit_, delka_, jednotkova_;
};

// "Options - Protocol": the contents of the reports in three groups (A-C, D, E).
class NastaveniProtokolOkno : public NastaveniOkno {
    Q_OBJECT
  public:
    NastaveniProtokolOkno(QWidget* rodic, Workspace& ws);

  protected:
    void PoUlozeni(unsigned skupiny) override;
};

}  // namespace vertano::ui
