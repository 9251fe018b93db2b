#pragma once

namespace cj::report {

// The pages' own look, for the screen and for paper: rows are not split across pages, a
// table's head is repeated on each, and a name of any length wraps within its cell.
inline constexpr const char* kPageStyle = R"(
body{font-family:"Liberation Sans",Arial,Helvetica,sans-serif;color:#1b1b1b;line-height:1.4;max-width:62rem;margin:1.5rem auto;padding:0 1rem}
h1{font-size:1.6rem;margin:0 0 .2rem}
h2{font-size:1.3rem;border-bottom:2px solid #2b5d8a;padding-bottom:.15rem;margin:2.2rem 0 .6rem}
h3{font-size:1.05rem;margin:1.4rem 0 .3rem}
table{border-collapse:collapse;width:100%;margin:.4rem 0 .8rem}
th,td{border:1px solid #c4c9cf;padding:.25rem .5rem;text-align:left;vertical-align:top}
bdi,code{overflow-wrap:anywhere}
th{background:#e9f0f7}
td.n{text-align:right;font-variant-numeric:tabular-nums}
td.time{white-space:nowrap;font-variant-numeric:tabular-nums}
td.text{white-space:pre-wrap;overflow-wrap:anywhere}
.none{color:#6b6b6b}
tr.draft td{background:#fff6e5;font-style:italic}
.cannot{background:#f6f6f1;border:1px solid #d9d9cf;padding:.2rem 1rem .6rem}
.cannot h2{border:0;margin-top:.6rem}
.made{color:#4a4a4a}
.ctl{border:1px dashed #b00;color:#b00;font-size:.8em;padding:0 .1em}
tr.absent td{color:#8a1c1c;background:#fbecec}
tr.apart th{background:#f3f3f3;text-align:left}
.twice{background:#fff6e5;border-left:4px solid #d9a400;padding:.3rem .6rem}
nav a{white-space:nowrap}
summary{cursor:pointer}
summary h3{display:inline-block;margin:.5rem 0 .2rem}
.wide{overflow-x:auto}
table.register{width:auto;font-size:.85rem}
table.register th,table.register td{padding:.1rem .3rem;text-align:center}
table.register tbody th{text-align:left;position:sticky;left:0;background:#fff;max-width:14rem}
table.register td.absent{color:#8a1c1c;background:#fbecec}
tr.total td,tr.total th{font-weight:bold}
@media print{
body{max-width:none;margin:0;font-size:10pt}
.wide{overflow:visible}
h2,h3{break-after:avoid}
tr{break-inside:avoid}
thead{display:table-header-group}
a{color:inherit;text-decoration:none}
th,tr.draft td,tr.absent td,td.absent,.cannot{-webkit-print-color-adjust:exact;print-color-adjust:exact}
}
)";

}  // namespace cj::report
