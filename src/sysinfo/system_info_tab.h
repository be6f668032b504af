// The system information tab ("Other"): the processor's maker, name and
// signature, its instruction sets, its clock measured against the
// millisecond timer, the operating system, and the platform from the
// General tab.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/services.h"
#include "platform/status.h"
#include "sysinfo/pentium_mmx.h"
#include "ui/button.h"
#include "ui/label.h"
#include "ui/page_control.h"

namespace korvane {

class SystemInfoTab {
 public:
  // `measured_mhz` and the platform label are the main window's;
  // `infer_platform` runs the main window's platform inference, which needs
  // the clock, again after every measurement.
  SystemInfoTab(ui::TabSheet& sheet, Services& services, const TPentiumMMX& probe,
                std::int32_t& measured_mhz, const ui::Label& platform_label,
                std::function<void()> infer_platform);
  SystemInfoTab(const SystemInfoTab&) = delete;
  SystemInfoTab& operator=(const SystemInfoTab&) = delete;
  ~SystemInfoTab();

  // Refills the whole tab; runs on every show of it. The clock is measured
  // meanwhile, and the processor identified again by it once it is in.
  Status TabSheet4Show();
  // Measures the clock again, and with it infers the platform again.
  Status retryClick();

  const std::string& OsVersionText() const { return os_version_text_; }
  // While the clock is being measured.
  bool measuring() const { return measuring_; }

 private:
  void ShowOperatingSystem();
  void ShowSignature();
  // Starts a measurement, unless one runs; `identify` runs the catalogue
  // again once the clock is in.
  void MeasureClock(bool identify);
  // Waits on for the end of the measurement's wait, then takes the reading.
  void WaitForEnd();
  void TakeReading();
  void Identify();

  Services& services_;
  const TPentiumMMX& probe_;
  std::int32_t& measured_mhz_;
  const ui::Label& platform_label_;
  std::function<void()> infer_platform_;

  // major.minor of the system, once a query has told it.
  std::string os_version_text_;
  bool measuring_ = false;
  bool identify_after_ = false;
  std::uint32_t wait_ticket_ = 0;
  TStampPair StampStart;
  TStampPair StampEnd;
  std::uint32_t TickStart = 0;
  std::uint32_t TickEnd = 0;

 public:
  // Caption and value labels, top to bottom and left to right.
  ui::Label Label63;
  ui::Label Label64;
  ui::Label Label65;
  ui::Label Label62;
  ui::Label Label72;
  ui::Label Label71;
  ui::Label Label41;
  ui::Label Label42;
  ui::Label Label44;
  ui::Label Label43;
  ui::Label Label39;
  ui::Label Label40;
  ui::Label Label80;
  ui::Label Label81;
  ui::Label Label79;
  ui::Label Label78;
  ui::Label Label76;
  ui::Label Label77;
  ui::Label Label75;
  ui::Label Label74;
  ui::Label Label61;
  ui::Label Label69;
  ui::Label Label66;
  ui::Label Label70;
  ui::Label Label59;
  ui::Label Label60;
  ui::Label Label84;
  ui::Label Label82;
  ui::Label Label113;
  ui::Label Label114;
  ui::Label Label85;
  ui::Label Label83;
  ui::Label Label57;
  ui::Label Label58;
  ui::Button retry;
};

}  // namespace korvane
