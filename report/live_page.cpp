#include "live_page.h"

#include "page_text.h"

namespace cj::report {

namespace {

// Every text from the class file reaches the page as a JSON string and is put in as text,
// never as markup. Nothing is kept between loads: a projector shows one lesson.
constexpr const char* kHead = R"page(<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>Answers: )page";

constexpr const char* kBody = R"page(</title>
<style>
:root{--size:1}
body{font-family:"Liberation Sans",Arial,Helvetica,sans-serif;color:#141414;background:#fff;margin:0;padding:.8rem 1.4rem}
header{display:flex;flex-wrap:wrap;align-items:center;gap:.6rem 1.2rem;border-bottom:3px solid #2b5d8a;padding-bottom:.6rem}
h1{font-size:1.8rem;margin:0}
h2{font-size:1.2rem;color:#2b5d8a;margin:.4rem 0}
.count{font-size:1.5rem;font-weight:bold;font-variant-numeric:tabular-nums}
.tools{display:flex;flex-wrap:wrap;align-items:center;gap:.5rem;margin-left:auto}
button{font-size:1.1rem;padding:.35rem .8rem;border:2px solid #2b5d8a;border-radius:.4rem;background:#e9f0f7;color:#141414;cursor:pointer}
button.on{background:#2b5d8a;color:#fff}
label{font-size:1.1rem}
#waiting{font-weight:bold;color:#9a4b00}
.notice{background:#fff6e5;border:1px solid #e0b060;padding:.4rem .8rem;font-size:1.2rem;margin:.6rem 0 0}
main{display:flex;gap:2rem;align-items:flex-start}
.wall{list-style:none;margin:.6rem 0;padding:0;flex:3;min-width:0}
.wall li{font-size:calc(2.4rem * var(--size));line-height:1.25;padding:.3rem .5rem;margin:.25rem 0;border-left:.3rem solid #c4c9cf;white-space:pre-wrap;overflow-wrap:anywhere;cursor:pointer}
.wall li.empty::after{content:"(empty)";color:#8a8a8a}
.wall li.hidden{font-size:1rem;color:#8a8a8a;border-left-color:#e3e3e3}
.wall li.hidden span{display:none}
.wall li.hidden::after{content:"hidden: click to show it again"}
.wall li.divider{font-size:1.1rem;font-weight:bold;color:#2b5d8a;border:0;border-top:3px double #2b5d8a;margin:1rem 0 .4rem;cursor:default}
aside{flex:2;min-width:14rem;border-left:1px solid #c4c9cf;padding-left:1.4rem}
.words{line-height:1.1}
.words span{display:inline-block;margin:.1rem .5rem;color:#1d4a70;font-size:calc(1.2rem * var(--size))}
#earlier h2{margin-top:1.6rem}
footer{color:#5a5a5a;font-size:.95rem;margin-top:1.4rem}
</style>
</head>
<body>
<header>
<h1>Answers</h1>
<span id="count" class="count"></span>
<span class="tools">
<button id="new" type="button">New question</button>
<button id="pause" type="button">Pause</button><span id="waiting"></span>
<button id="smaller" type="button" title="Smaller type">A&minus;</button>
<button id="larger" type="button" title="Larger type">A+</button>
<label><input id="before" type="checkbox"> Lines from before the view started</label>
</span>
</header>
<p id="file" class="notice" hidden></p>
<p id="restarted" class="notice" hidden></p>
<main>
<ol id="wall" class="wall"></ol>
<aside><h2>Words since the last new question</h2><div id="words" class="words"></div></aside>
</main>
<section id="earlier" hidden><h2>Before the view started</h2><ol id="earlier-lines" class="wall"></ol></section>
<footer>Newest first. Click an answer to hide it; click it again to show it. The page follows )page";

constexpr const char* kScript = R"page(</footer>
<script>
"use strict";
const $ = id => document.getElementById(id);
const wall = $("wall"), words = $("words");
const common = new Set(("the and for are but not you all any can had her was one our out has his how its may new " +
  "now see two way who did get let say she too use that with have this will your from they been were what when " +
  "than them then there their these those which would could should about into just also some more very because " +
  "does each only over such here where while yes isn't it's i'm don't dont can't cant").split(" "));
let reading = null, place = null, start = 0, earlierLoaded = false;
let paused = false, waiting = [], count = 0, size = 1, failures = 0;
let current = [];  // the answers since the last new question

const clock = () => new Date().toLocaleTimeString([], {hour: "2-digit", minute: "2-digit"});

function answer(text) {
  const li = document.createElement("li"), span = document.createElement("span");
  span.textContent = text;
  li.append(span);
  li.answer = text;
  if (text === "") li.classList.add("empty");
  li.title = "Click to hide it, click again to show it";
  li.addEventListener("click", () => { li.classList.toggle("hidden"); drawWords(); });
  return li;
}

function divider(text) {
  const li = document.createElement("li");
  li.className = "divider";
  li.textContent = text;
  wall.prepend(li);
}

function put(text) {
  const li = answer(text);
  wall.prepend(li);
  current.push(li);
}

function release() {
  waiting.forEach(put);
  waiting = [];
}

function drawCounts() {
  $("count").textContent = count + (count === 1 ? " answer" : " answers") + " since the last new question";
  $("pause").textContent = paused ? "Resume" : "Pause";
  $("pause").classList.toggle("on", paused);
  $("waiting").textContent = paused ? waiting.length + " waiting" : "";
}

function drawWords() {
  const counts = new Map();
  for (const li of current) {
    if (li.classList.contains("hidden")) continue;
    for (const word of li.answer.toLowerCase().match(/[\p{L}\p{N}][\p{L}\p{N}'\u2019-]*/gu) || [])
      if (word.length > 2 && !common.has(word)) counts.set(word, (counts.get(word) || 0) + 1);
  }
  const top = [...counts].sort((a, b) => b[1] - a[1] || a[0].localeCompare(b[0])).slice(0, 40);
  const most = top.length ? top[0][1] : 1;
  words.replaceChildren(...top.map(([word, n]) => {
    const span = document.createElement("span");
    span.textContent = word;
    span.title = n + (n === 1 ? " time" : " times");
    span.style.fontSize = "calc(" + (1 + 2.5 * Math.sqrt(n / most)).toFixed(2) + "rem * var(--size))";
    return span;
  }));
}

function say(id, text) {
  $(id).textContent = text;
  $(id).hidden = !text;
}

const fileStates = {
  read: "",
  missing: "Waiting for the class file to appear: ",
  refused: "The class file cannot be read (a link, a folder, or not allowed): "
};

async function poll() {
  let again = 400;
  try {
    const asked = reading === null ? "" : "?reading=" + reading + "&from=" + place;
    const answerOf = await fetch("lines" + asked, {cache: "no-store"});
    if (!answerOf.ok) throw new Error(answerOf.status);
    const batch = await answerOf.json();
    failures = 0;
    if (reading !== null && batch.reading !== reading) {
      const text = "The class file was cut back or replaced at " + clock() + "; it is read again from its beginning.";
      divider(text);
      say("restarted", text);
      earlierLoaded = false;
      $("earlier-lines").replaceChildren();
    }
    reading = batch.reading;
    place = batch.next;
    start = batch.start;
    count += batch.lines.length;
    if (paused) waiting.push(...batch.lines); else batch.lines.forEach(put);
    if (batch.lines.length) { drawCounts(); drawWords(); again = 0; }
    say("file", fileStates[batch.file] && fileStates[batch.file] + document.title.replace(/^Answers: /, ""));
  } catch (failure) {
    if (++failures >= 3) say("file", "The live view does not answer: it may have been stopped. Start it again and open the address it prints.");
    again = 1000;
  }
  setTimeout(poll, again);
}

async function loadEarlier() {
  const list = $("earlier-lines"), from = reading;
  earlierLoaded = true;
  for (let at = 0; at < start && reading === from;) {
    const answerOf = await fetch("lines?reading=" + from + "&from=" + at + "&until=" + start, {cache: "no-store"});
    const batch = await answerOf.json();
    if (batch.reading !== from || batch.next === at) break;
    batch.lines.forEach(text => list.prepend(answer(text)));
    at = batch.next;
  }
}

$("new").addEventListener("click", () => {
  release();
  divider("New question at " + clock());
  current = [];
  count = 0;
  drawCounts();
  drawWords();
});
$("pause").addEventListener("click", () => {
  paused = !paused;
  if (!paused) { release(); drawWords(); }
  drawCounts();
});
function resize(factor) {
  size = Math.min(3, Math.max(0.4, size * factor));
  document.documentElement.style.setProperty("--size", size.toFixed(3));
}
$("larger").addEventListener("click", () => resize(1.2));
$("smaller").addEventListener("click", () => resize(1 / 1.2));
$("before").addEventListener("change", () => {
  $("earlier").hidden = !$("before").checked;
  if ($("before").checked && !earlierLoaded && reading !== null) loadEarlier();
});
drawCounts();
poll();
</script>
</body>
</html>
)page";

}  // namespace

std::string livePage(const std::string& filePath) {
    std::string page = kHead;
    appendEscaped(page, wellFormedUtf8(filePath));
    page += kBody;
    appendEscaped(page, wellFormedUtf8(filePath));
    page += kScript;
    return page;
}

}  // namespace cj::report
