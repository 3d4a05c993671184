#pragma once

#include <string_view>

// The fixed parts of the Modern page: its layout and its script. They are plain ASCII and hold no
// value of a menu or a style; the writer copies them line by line. The style's own rules follow
// the layout (modernpage.cpp), so that they win where both set a property.

namespace torvel::modern {

// Without script (no "js" class on the root) the page is a plain list of every entry under its
// category's heading. With script the titles turn into buttons (.pick) in rows that wrap, the
// categories into tabs, and a detail panel shows the chosen entry. Nothing is placed absolutely,
// and long words break, so the page reflows at any width without overlaps. The entries are
// inline blocks, not flex items: a flex container with thousands of hidden items takes seconds
// to lay out in Chromium.
inline constexpr std::string_view kLayout = R"css([hidden]{display:none!important}
*{box-sizing:border-box}
main{display:block}
body{margin:0;padding:0.5em 1em 1em;line-height:1.4;font-family:sans-serif}
.top{display:flex;flex-wrap:wrap;align-items:center}
.top>*{margin:0.25em 1em 0.25em 0}
.logo{max-width:100%;height:auto}
h1{font-size:1.75em;min-width:0;overflow-wrap:break-word;word-wrap:break-word}
h2{font-size:1.2em;margin:0.75em 0 0.5em;overflow-wrap:break-word;word-wrap:break-word}
ul{list-style:none;margin:0;padding:0}
li{margin:0 0 1em;overflow-wrap:break-word;word-wrap:break-word}
p{margin:0.25em 0}
li img,.detail img{display:block;max-width:100%;height:auto;margin:0.25em 0;border:0}
:focus{outline:3px solid;outline-offset:2px}
.find{display:flex;flex-wrap:wrap;align-items:center;margin:0.5em 0}
.find label{margin-right:0.5em}
.find input{font:inherit;color:inherit;background:transparent;border:1px solid;padding:0.25em 0.5em;width:20em;max-width:100%}
.find p{margin:0 0 0 1em}
.tabs{display:flex;flex-wrap:wrap;margin:0.5em 0}
.pick,.tab,.more{font:inherit;color:inherit;background-color:transparent;background-size:100% 100%;border:1px solid;border-radius:4px;padding:0.4em 0.75em;cursor:pointer;text-align:left;white-space:normal;overflow-wrap:anywhere;word-wrap:break-word}
.tab{margin:0 0.5em 0.5em 0;max-width:100%}
.tab[aria-selected=true]{border-bottom-width:0.3em}
.pick{display:none}
.pick[aria-current=true]{border-left-width:0.4em}
.js .pick{display:block;width:100%}
.js .group>h2,.js li>a,.js li>p,.js li>img{display:none}
.js li{display:inline-block;vertical-align:top;width:14em;max-width:100%;margin:0 0.5em 0.5em 0}
.panes{display:flex;flex-wrap:wrap;align-items:flex-start}
.list{flex:3 1 20em;min-width:0}
.detail{flex:2 1 16em;min-width:0;border:1px solid;padding:0.5em 1em;margin:0 0 1em}
.detail h2{margin-top:0}
@media (max-width:30em){.logo{margin-top:0!important;margin-left:0!important}}
@media (min-width:40em){.detail{position:sticky;top:0}})css";

// The interaction, in ECMAScript 5 so that the HTML-application runtime runs it too. It reads the
// entries from the list the page already holds: no value of the menu is written into the script.
inline constexpr std::string_view kScript = R"js((function () {
  'use strict';
  // A tab shows this many matching entries and a button for the next as many: laying out every
  // entry of a large menu on each key typed would take far longer than a search.
  var LIMIT = 100;
  var doc = document;
  var find = doc.getElementById('find');
  var status = doc.getElementById('status');
  var tablist = doc.getElementById('tabs');
  var list = doc.getElementById('list');
  var more = doc.getElementById('more');
  var detail = doc.getElementById('detail');
  var detailTitle = doc.getElementById('dt');
  var detailBody = doc.getElementById('db');
  var opener = doc.getElementById('open');
  var groups = doc.getElementById('groups').children;
  var entries = [];
  var starts = [];
  var counts = [];
  var tabs = [];
  var current = null;
  var selected = 0;
  var limit = LIMIT;

  // A description's text for the search, each line break read as a blank.
  function textOf(node) {
    var text = '';
    var child;
    for (child = node.firstChild; child; child = child.nextSibling) {
      text += child.nodeType === 3 ? child.nodeValue : ' ';
    }
    return text;
  }

  function collect() {
    var g, i, items, li, entry;
    for (g = 0; g < groups.length; g++) {
      items = groups[g].getElementsByTagName('li');
      starts.push(entries.length);
      counts.push(0);
      for (i = 0; i < items.length; i++) {
        li = items[i];
        entry = {
          li: li, pick: li.children[0], link: li.children[1], text: li.children[2],
          shot: li.children[3] || null, group: g, hit: true, shown: true
        };
        entry.search = (entry.pick.textContent + ' ' + textOf(entry.text)).toLowerCase();
        entry.pick.entryIndex = entries.length;
        entries.push(entry);
      }
    }
    starts.push(entries.length);
  }

  function makeTabs() {
    var g, heading, tab;
    for (g = 0; g < groups.length; g++) {
      heading = groups[g].getElementsByTagName('h2')[0];
      if (!heading) {
        return;
      }
      tab = doc.createElement('button');
      tab.setAttribute('type', 'button');
      tab.className = 'tab';
      tab.id = 'tab' + g;
      tab.setAttribute('role', 'tab');
      tab.setAttribute('aria-controls', groups[g].id);
      tab.appendChild(doc.createTextNode(heading.textContent));
      tab.appendChild(doc.createElement('span'));
      groups[g].setAttribute('role', 'tabpanel');
      groups[g].setAttribute('aria-labelledby', tab.id);
      tablist.appendChild(tab);
      tabs.push(tab);
    }
    tablist.hidden = false;
  }

  function show(entry) {
    if (current) {
      current.pick.removeAttribute('aria-current');
    }
    current = entry;
    detail.hidden = !entry;
    if (!entry) {
      return;
    }
    entry.pick.setAttribute('aria-current', 'true');
    detailTitle.textContent = entry.pick.textContent;
    while (detailBody.firstChild) {
      detailBody.removeChild(detailBody.firstChild);
    }
    detailBody.appendChild(entry.text.cloneNode(true));
    if (entry.shot) {
      detailBody.appendChild(entry.shot.cloneNode(true));
    }
    opener.setAttribute('href', entry.link.getAttribute('href'));
  }

  function open(entry) {
    show(entry);
    opener.click();
  }

  // Shows the selected group's entries that match the search, the first `limit` of them; only the
  // entries whose state changes are touched. Gives the match after the first `from` matches.
  function render(from) {
    var rank = 0;
    var first = null;
    var firstShown = null;
    var i, entry, visible;
    for (i = starts[selected]; i < starts[selected + 1]; i++) {
      entry = entries[i];
      visible = entry.hit && rank < limit;
      if (visible !== entry.shown) {
        entry.shown = visible;
        entry.li.hidden = !visible;
      }
      if (visible && !firstShown) {
        firstShown = entry;
      }
      if (entry.hit) {
        if (rank === from) {
          first = entry;
        }
        rank++;
      }
    }
    more.hidden = rank <= limit;
    more.textContent = 'Show more (' + (rank - limit) + ' left)';
    if (!current || !current.shown || current.group !== selected) {
      show(firstShown);
    }
    return first;
  }

  function selectTab(k, focus) {
    var g;
    selected = k;
    limit = LIMIT;
    for (g = 0; g < tabs.length; g++) {
      tabs[g].setAttribute('aria-selected', g === k ? 'true' : 'false');
      tabs[g].tabIndex = g === k ? 0 : -1;
      groups[g].hidden = g !== k;
    }
    if (focus) {
      tabs[k].focus();
    }
    render(0);
  }

  // Marks the entries whose title or description holds the search text and counts them by group.
  function filter() {
    var query = find.value.toLowerCase().trim();
    var shown = 0;
    var i, g, entry;
    for (g = 0; g < counts.length; g++) {
      counts[g] = 0;
    }
    for (i = 0; i < entries.length; i++) {
      entry = entries[i];
      entry.hit = entry.search.indexOf(query) !== -1;
      if (entry.hit) {
        shown++;
        counts[entry.group]++;
      }
    }
    for (g = 0; g < tabs.length; g++) {
      tabs[g].lastChild.textContent = ' (' + counts[g] + ')';
    }
    status.textContent = (shown === entries.length ? '' : shown + ' of ') + entries.length +
      (entries.length === 1 ? ' entry' : ' entries');
    limit = LIMIT;
    render(0);
  }

  function entryOf(node) {
    return node && node.className === 'pick' ? entries[node.entryIndex] : null;
  }

  function tabKey(event) {
    var key = event.key;
    var last = tabs.length - 1;
    var k = selected;
    if (key === 'ArrowRight' || key === 'Right') {
      k = k === last ? 0 : k + 1;
    } else if (key === 'ArrowLeft' || key === 'Left') {
      k = k === 0 ? last : k - 1;
    } else if (key === 'Home') {
      k = 0;
    } else if (key === 'End') {
      k = last;
    } else {
      return;
    }
    event.preventDefault();
    selectTab(k, true);
  }

  collect();
  makeTabs();
  find.addEventListener('input', filter);
  tablist.addEventListener('keydown', tabKey);
  tablist.addEventListener('click', function (event) {
    var node = event.target;
    while (node && node.className !== 'tab') {
      node = node.parentNode;
    }
    if (node) {
      selectTab(tabs.indexOf(node), false);
    }
  });
  list.addEventListener('click', function (event) {
    var entry = entryOf(event.target);
    if (entry) {
      show(entry);
    }
  });
  list.addEventListener('dblclick', function (event) {
    var entry = entryOf(event.target);
    if (entry) {
      open(entry);
    }
  });
  list.addEventListener('keydown', function (event) {
    var entry = entryOf(event.target);
    if (entry && (event.key === 'Enter' || event.keyCode === 13)) {
      event.preventDefault();
      open(entry);
    }
  });
  // The next entries, the first of them focused so that the keyboard goes on where it was.
  more.addEventListener('click', function () {
    var first;
    limit += LIMIT;
    first = render(limit - LIMIT);
    if (first) {
      first.pick.focus();
    }
  });
  doc.getElementById('findbar').hidden = false;
  if (tabs.length > 0) {
    selectTab(0, false);
  }
  filter();
}());)js";

}  // namespace torvel::modern
