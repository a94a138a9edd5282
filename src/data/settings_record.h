// The settings variables: one per field of the one record of VTR1, named
// after the field. Read at start, changed by the windows, and written back
// whole after every change (DataSession::WriteSettings). Texts are UTF-8 and
// keep the field's blank padding as read; every user trims.
#pragma once

#include <string>

namespace vt::data {

struct Settings {
  std::string FontName;  // report font; empty: the main window's design font
  int FontSize = 0;      // points; 0 or less: the design size
  std::string LabID;     // label stock last chosen for printing
  std::string Company;   // stationary
  std::string Addr1, Addr2, Addr3, Addr4;
  std::string CloLine;  // closing line
  std::string SigLine;  // signature line
  std::string LogoFile;
  double LogoHeight = 0;
  double LogoWidth = 0;
  int LHJustify = 0;  // letterhead alignment 1-3
  double TopMargin = 0;
  std::string ShipLine;  // label of computed tax 1
  std::string TaxLine;   // label of computed tax 2
  double TaxRate1 = 0;   // percent
  double TaxRate2 = 0;
  int ShipTax = 0;      // 1 + choice of "Tax 2 charged on Tax 1"
  int TaxRound = 0;     // 1 + choice of the tax rounding
  bool ByCust = false;  // customers by name (true) or by company
  bool fifo = false;    // inventory first in - first out (true) or last in
};

}  // namespace vt::data
