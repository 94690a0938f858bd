#pragma once

#include "cli/report/RunReport.h"
#include "core/model/NoticeSink.h"
#include "core/model/WalkReport.h"

namespace linkloom::cli {

// The walk's report, told both to what the terminal shows and to the run's report.
class ReportedWalk : public WalkReport {
public:
    ReportedWalk(WalkReport& shown, RunReport& report) : shown_(shown), report_(report) {}

    void LeftOut(const String& path, bool isFolder, LeftOutReason reason, const String& detail) override {
        shown_.LeftOut(path, isFolder, reason, detail);
        report_.LeftOut(path, isFolder, reason, detail);
    }
    void Adjusted(const String& path, Adjustment kind) override {
        shown_.Adjusted(path, kind);
        report_.Count(kind == Adjustment::TimeInFuture ? "datesInFuture" : "timesOutOfRange", 1);
    }
    void LinkIgnored(const String& path, const LinkNote& note) override {
        shown_.LinkIgnored(path, note);
        report_.Count("linksIgnored", 1);
    }
    void DatesShared(int count, int entries, const String& date) override {
        shown_.DatesShared(count, entries, date);
        report_.Count("datesShared", count);
    }

private:
    WalkReport& shown_;
    RunReport& report_;
};

// The run's warnings, shown and kept in its report.
class ReportedNotices : public NoticeSink {
public:
    ReportedNotices(NoticeSink& shown, RunReport& report) : shown_(shown), report_(report) {}

    void Notice(const String& text) override {
        shown_.Notice(text);
        report_.Warning(text);
    }

private:
    NoticeSink& shown_;
    RunReport& report_;
};

}  // namespace linkloom::cli
