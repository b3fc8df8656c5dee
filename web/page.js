// Moves what the user sets into the module and puts the module's answer in place. Every number,
// text and mark shown comes from the module; nothing is computed or drawn here. The script keeps
// the section in the address as a link, and the page's files for use without a network.
'use strict';

(() => {
  const status = document.getElementById('status');
  const byId = (id) => document.getElementById(id);
  // A drawing laid out again for every pixel of a window being dragged wider would keep the
  // module busy for nothing; the old one scales meanwhile.
  const resizePause = 150;
  // The address follows the inputs once typing pauses: the browser refuses to rewrite it for
  // every key of a fast typist, and warns when asked to.
  const linkPause = 300;
  // A4 less the print margins of page.css (2 × 12 mm), in CSS pixels of 1/96 inch.
  const printWidth = 703;

  // The link's names for the inputs, in the order in which they are set: a bar diameter sets
  // As anew, so a typed As comes after it. An optional one that is absent keeps its start value
  // without a word.
  const linkInputs = [
    { key: 'beton', id: 'BRadioGroup', what: 'de betonklasse' },
    { key: 'staal', id: 'FeBRadioGroup', what: 'de staalsoort' },
    { key: 'phi', id: 'PHIhwRadioGroup', what: 'de staafdiameter' },
    { key: 'beugel', id: 'PHIbgRadioGroup', what: 'de beugeldiameter' },
    { key: 'n', id: 'ScrollBar1', what: 'het aantal staven' },
    { key: 'As', id: 'AsNumEdit', what: 'As', optional: true },
    { key: 'c', id: 'cNumEdit', what: 'de dekking' },
    { key: 'h', id: 'HNumEdit', what: 'de hoogte' },
    { key: 'b', id: 'BNumEdit', what: 'de breedte' },
    { key: 'MEd', id: 'MEdEdit', what: 'MEd', optional: true },
    { key: 'Dmax', id: 'DmaxEdit', what: 'Dmax' },
  ];

  const fail = (text) => {
    status.textContent = text;
    status.className = 'failure';
    status.hidden = false;
  };

  const fill = (element, text) => {
    if (element.textContent !== text)
      element.textContent = text;
  };

  // One line per kind of news (the link, a copy, a new version), each replacing its own last.
  const notices = new Map();
  const notice = (kind, text) => {
    const box = byId('notice');
    if (!notices.has(kind)) {
      const line = document.createElement('span');
      notices.set(kind, line);
      box.append(line);
    }
    fill(notices.get(kind), text);
    box.hidden = ![...notices.values()].some((line) => line.textContent);
  };

  // One element per text, made or dropped as the number of texts changes.
  const fillAll = (parent, tag, texts) => {
    while (parent.children.length > texts.length)
      parent.lastElementChild.remove();
    while (parent.children.length < texts.length)
      parent.append(document.createElement(tag));
    texts.forEach((text, i) => fill(parent.children[i], text));
  };

  let shownSvg = '';
  const showPicture = (svg) => {
    if (svg === shownSvg)
      return;
    // The page's own HTML parser reads the drawing three times as fast as an XML parser and an
    // import into the page did, which took a third of every change; it makes the XML
    // declaration a comment, passed over here.
    const parsed = document.createElement('template');
    parsed.innerHTML = svg;
    const drawing = parsed.content.firstElementChild;
    if (drawing?.namespaceURI !== 'http://www.w3.org/2000/svg' || drawing.localName !== 'svg') {
      fail('De tekening kon niet worden getoond.');
      return;
    }
    // The document's <title> and <desc> name and describe it.
    drawing.setAttribute('role', 'img');
    byId('picture').replaceChildren(drawing);
    shownSvg = svg;
  };

  const showModels = (models) => {
    const list = byId('models');
    while (list.children.length < models.length) {
      const model = document.createElement('section');
      model.append(document.createElement('h3'), document.createElement('ul'));
      list.append(model);
    }
    models.forEach((model, i) => {
      const [heading, lines] = list.children[i].children;
      fill(heading, model.name);
      fillAll(lines, 'li', model.lines);
    });
  };

  // Each model's verdict in words, in the drawing's colour for it, in its row of the table and
  // in the one line that stays in view and that a screen reader reads when it changes.
  const showVerdicts = (answer) => {
    const rows = document.querySelectorAll('#results tbody tr');
    const summary = byId('summary');
    while (summary.children.length < rows.length) {
      const model = document.createElement('span');
      model.append(document.createElement('span'), ' ', document.createElement('b'), ' ',
                   document.createElement('span'));
      summary.append(model);
    }
    rows.forEach((row, i) => {
      const model = answer.models[i] ?? {};
      const verdict = model.verdict ?? '';
      const tone = model.tone ?? '';
      const cell = row.querySelector('.verdict');
      fill(cell, verdict);
      cell.dataset.tone = tone;
      const [name, moment, words] = summary.children[i].children;
      fill(name, row.querySelector('th').textContent);
      fill(moment, byId(`mu${i}Edit`).textContent + ' kNm');
      fill(words, verdict);
      summary.children[i].dataset.tone = tone;
    });
    const note = byId('results-note');
    fill(note, answer.resultsNote ?? '');
    note.hidden = !note.textContent;
  };

  let last = null;
  const show = (answer) => {
    last = answer;
    for (const [id, value] of Object.entries(answer.values)) {
      const control = byId(id);
      if (control && control.value !== value)
        control.value = value;
    }
    for (const [id, message] of Object.entries(answer.messages)) {
      const control = byId(id);
      const line = byId(id + '-message');
      if (!control || !line)
        continue;
      control.setAttribute('aria-invalid', message ? 'true' : 'false');
      fill(line, message);
      line.hidden = !message;
    }
    for (const [id, text] of Object.entries(answer.fields)) {
      const field = byId(id);
      if (field)
        fill(field, text);
    }
    showPicture(answer.svg);
    byId('picture-wider').hidden = !answer.pictureWider;
    fillAll(byId('picture-notes'), 'li', answer.pictureNotes);
    fill(byId('description'), answer.description);
    showModels(answer.models);
    showVerdicts(answer);
    fillAll(byId('notes'), 'li', answer.notes);
    fill(byId('calculation'), answer.calculation);
  };

  // The link's text of a section, {id: text}: the names of the lists' items, the typed texts.
  const linkText = (section) => linkInputs
    .filter(({ id }) => section[id] !== undefined && section[id] !== '')
    .map(({ key, id }) => key + '=' + encodeURIComponent(section[id]).replace(/%2F/g, '/')
      .replace(/%2C/g, ','))
    .join('&');

  const readLink = (fragment) => {
    const read = {};
    for (const part of fragment.replace(/^#/, '').split('&')) {
      const equals = part.indexOf('=');
      if (equals < 0)
        continue;
      const key = part.slice(0, equals);
      let text;
      try {
        text = decodeURIComponent(part.slice(equals + 1).replace(/\+/g, ' '));
      } catch {
        text = null;
      }
      read[key] = text;
    }
    return read;
  };

  const copy = async (text) => {
    try {
      await navigator.clipboard.writeText(text);
      return true;
    } catch {
      // Without the permission (an older browser, a page in a frame) the selection still copies.
      const area = document.createElement('textarea');
      area.value = text;
      area.setAttribute('readonly', '');
      area.className = 'offscreen';
      document.body.append(area);
      area.select();
      const copied = document.execCommand('copy');
      area.remove();
      return copied;
    }
  };

  const start = (module) => {
    const set = module.cwrap('tralvik_set', 'string', ['string', 'string']);
    const pictureWidth = module.cwrap('tralvik_picture_width', 'string', ['number', 'number']);
    // Measured before the lists are filled: read after, the width would cost a layout of the
    // whole page before the first results, which the column's width does not depend on.
    const picture = byId('picture');
    let laidOutWidth = Math.floor(picture.clientWidth);
    const controls = JSON.parse(module.cwrap('tralvik_controls', 'string', [])());

    for (const [id, texts] of Object.entries(controls.lists)) {
      const list = byId(id);
      texts.forEach((text, item) => list.add(new Option(text, String(item))));
    }
    for (const [id, range] of Object.entries(controls.ranges)) {
      const line = byId(id + '-range');
      if (line)
        line.textContent = range.text;
    }
    const bars = byId('ScrollBar1');
    bars.max = String(controls.barCount);

    show(JSON.parse(pictureWidth(laidOutWidth, 0)));
    const known = linkInputs.filter(({ id }) => id in last.values);
    byId('DmaxEdit-row').hidden = !('DmaxEdit' in last.values);

    // A list's item by its name, a count or a text as typed.
    const itemText = (id, value) => controls.lists[id]?.[Number(value)] ?? value;
    const itemValue = (id, text) => {
      if (!controls.lists[id])
        return text;
      const item = controls.lists[id].indexOf(text);
      return item < 0 ? null : String(item);
    };
    const sectionOf = (answer) =>
      Object.fromEntries(known.map(({ id }) => [id, itemText(id, answer.values[id])]));
    const startSection = sectionOf(last);
    startSection.AsNumEdit = undefined;

    // On paper: the inputs as one line, the date, and the drawing laid out for the sheet.
    const stamp = () => {
      const section = sectionOf(last);
      const stirrup = section.PHIbgRadioGroup;
      const parts = [section.BRadioGroup, section.FeBRadioGroup,
        `${section.ScrollBar1} ø${section.PHIhwRadioGroup}, As = ${last.values.AsNumEdit} mm²`,
        `beugels ${stirrup}${/^\d+$/.test(stirrup) ? ' mm' : ''}`,
        `c = ${last.values.cNumEdit} mm`, `h = ${last.values.HNumEdit} mm`,
        `b = ${last.values.BNumEdit} mm`, `d = ${last.fields.dNumEdit} mm`];
      if (last.values.MEdEdit?.trim())
        parts.push(`MEd = ${last.values.MEdEdit.trim()} kNm`);
      if (last.values.DmaxEdit !== undefined)
        parts.push(`Dmax = ${last.values.DmaxEdit} mm`);
      fill(byId('print-inputs'), parts.join(' · '));
    };
    // The first date written costs the browser tens of milliseconds: after the first results.
    const date = () => fill(byId('print-date'), new Date().toLocaleDateString('nl-NL',
      { day: 'numeric', month: 'long', year: 'numeric' }));

    // As a user sets a control; the answer, or null for a value the module does not take.
    const apply = (id, text) => {
      const answer = set(id, text);
      if (!answer)
        return null;
      const parsed = JSON.parse(answer);
      return parsed.messages[id] ? null : parsed;
    };

    // The inputs of the link, and whether As stands in it: it does once typed, and no longer
    // once the bars set it anew.
    const inLink = { ...startSection };
    let typedAs = false;
    const take = (id, answer) => {
      if (id === 'ScrollBar1' || id === 'PHIhwRadioGroup')
        typedAs = false;
      if (id === 'AsNumEdit')
        typedAs = !answer.messages[id];
      for (const { id: input } of known) {
        if (!answer.messages[input])
          inLink[input] = itemText(input, answer.values[input]);
      }
      if (!typedAs)
        inLink.AsNumEdit = undefined;
    };

    let linkTimer = 0;
    const writeLink = () => {
      clearTimeout(linkTimer);
      linkTimer = setTimeout(() => {
        history.replaceState(history.state, '', '#' + linkText(inLink));
      }, linkPause);
    };

    // Every input of the section from a link; a bad or missing one takes its start value.
    const openSection = (section) => {
      const refused = [];
      let answer = null;
      for (const { id, what, optional } of known) {
        const text = section[id];
        const wanted = text === undefined || text === null ? null : itemValue(id, text);
        let taken = wanted === null ? null : apply(id, wanted);
        if (!taken) {
          if (!(optional && text === undefined))
            refused.push(what);
          const fallback = startSection[id];
          if (fallback !== undefined)
            taken = apply(id, itemValue(id, fallback));
        }
        if (taken) {
          answer = taken;
          take(id, taken);
        }
      }
      if (answer) {
        show(answer);
        stamp();
      }
      notice('copy', '');
      notice('link', refused.length
        ? `De link gaf geen geldige waarde voor ${refused.join(', ')}: daarvoor staat de ` +
            'startwaarde.'
        : '');
    };
    const linkSection = (fragment) => {
      const read = readLink(fragment);
      return Object.fromEntries(linkInputs.map(({ key, id }) => [id, read[key]]));
    };

    for (const example of document.querySelectorAll('.examples a')) {
      const section = { ...startSection, ...Object.fromEntries(Object.entries(
        linkSection(example.hash)).filter(([, text]) => text !== undefined)) };
      example.href = '#' + linkText(section);
    }
    // The address then names every input, as a link copied from the page does.
    if (location.hash.length > 1) {
      openSection(linkSection(location.hash));
      writeLink();
    }
    // An example chosen, or a link typed into the address bar of the open page.
    window.addEventListener('hashchange', () => {
      openSection(linkSection(location.hash));
      writeLink();
    });

    for (const { id } of known) {
      byId(id).addEventListener('input', (event) => {
        const answer = set(id, event.target.value);
        if (!answer)
          return;
        const parsed = JSON.parse(answer);
        show(parsed);
        take(id, parsed);
        writeLink();
        stamp();
        notice('copy', '');
      });
    }
    const step = (change) => {
      const before = bars.value;
      change();
      if (bars.value !== before)
        bars.dispatchEvent(new Event('input'));
    };
    byId('fewerBars').addEventListener('click', () => step(() => bars.stepDown()));
    byId('moreBars').addEventListener('click', () => step(() => bars.stepUp()));

    byId('startSection').addEventListener('click', () => {
      openSection(startSection);
      notice('link', '');
      writeLink();
    });
    byId('copyLink').addEventListener('click', async () => {
      clearTimeout(linkTimer);
      history.replaceState(history.state, '', '#' + linkText(inLink));
      notice('copy', await copy(location.href) ? 'De link staat op het klembord.'
        : 'Kopiëren lukte niet; de link staat in de adresbalk.');
    });
    byId('copyCalculation').addEventListener('click', async () => {
      notice('copy', await copy(byId('calculation').textContent)
        ? 'De berekening staat op het klembord.' : 'Kopiëren lukte niet.');
    });

    window.addEventListener('beforeprint', () => {
      stamp();
      date();
      show(JSON.parse(pictureWidth(printWidth, 1)));
    });
    window.addEventListener('afterprint', () => show(JSON.parse(pictureWidth(laidOutWidth, 0))));
    stamp();

    for (const control of document.querySelectorAll('fieldset[disabled], .tools button'))
      control.disabled = false;
    // Hidden first: a drawing that fails to show says so in the same place.
    status.hidden = true;
    let pending = 0;
    new ResizeObserver(() => {
      clearTimeout(pending);
      pending = setTimeout(() => {
        const width = Math.floor(picture.clientWidth);
        if (width !== laidOutWidth && !matchMedia('print').matches) {
          laidOutWidth = width;
          show(JSON.parse(pictureWidth(width, 0)));
        }
      }, resizePause);
    }).observe(picture);
    performance.mark('tralvik-first-results');
    setTimeout(date);
  };

  // After one visit the page opens without a network; a visit that finds new files says so.
  const keepFiles = () => {
    if (!('serviceWorker' in navigator))
      return;
    navigator.serviceWorker.addEventListener('message', (event) => {
      if (event.data?.updated)
        notice('version', 'Deze pagina is bijgewerkt tot een nieuwe versie.');
    });
    navigator.serviceWorker.register('sw.js').then(() => {
      navigator.serviceWorker.controller?.postMessage('updated?');
    }, () => {
      notice('version', 'Deze browser bewaart de pagina niet: zonder netwerk opent zij niet.');
    });
  };

  if (typeof createTralvik !== 'function' || typeof WebAssembly !== 'object') {
    fail('Deze browser kan de rekenmodule niet laden: de pagina heeft WebAssembly nodig.');
    return;
  }
  createTralvik().then(start).then(keepFiles).catch((error) => {
    fail('De rekenmodule kon niet laden: ' + error.message);
  });
})();
