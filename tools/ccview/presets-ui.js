// The presets panel: save the current choices and values under a name, load,
// rename or delete a preset. Kept per config beside the last values, where the
// page keeps those (store.js); the logic is presets.js.
(self.ccPageParts = self.ccPageParts || []).push(function (page) {
  'use strict';
  const S = ccPresets;

  const make = (tag, props) => Object.assign(document.createElement(tag), props || {});
  const heading = make('h2', { id: 'presets-heading', textContent: 'Presets' });
  const name = make('input', { id: 'preset-name', type: 'text', spellcheck: false, autocomplete: 'off' });
  const list = make('select', { id: 'preset-list' });
  const buttons = {};
  for (const word of ['Save', 'Load', 'Rename', 'Delete'])
    buttons[word] = make('button', { type: 'button', textContent: word });
  const result = make('span', { className: 'copy-result', id: 'preset-result' });
  result.setAttribute('role', 'status');
  const row = (...children) => {
    const div = make('div', { className: 'row' });
    div.append(...children);
    return div;
  };
  const label = (forId, text) => make('label', { htmlFor: forId, textContent: text });
  const section = make('section', { className: 'presets' });
  section.setAttribute('aria-labelledby', 'presets-heading');
  section.append(heading,
    row(label('preset-name', 'Preset name'), name, buttons.Save, buttons.Rename),
    row(label('preset-list', 'Saved presets'), list, buttons.Load, buttons.Delete, result),
    make('p', { className: 'hint', textContent: 'Rename gives the chosen preset the name typed above.' }));
  const settings = document.querySelector('section.settings');
  settings.parentNode.insertBefore(section, settings);

  let presets = [];

  function show(selected) {
    list.replaceChildren(...presets.map((p) => make('option', { value: p.name, textContent: p.name })));
    if (selected !== undefined && S.find(presets, selected)) list.value = selected;
    const none = presets.length === 0;
    list.disabled = buttons.Load.disabled = buttons.Delete.disabled = buttons.Rename.disabled = none;
  }

  async function done(outcome, selected) {
    if (outcome.error) {
      result.textContent = outcome.error;
      return;
    }
    const kept = await page.store().savePresets(outcome.list);
    if (!kept.ok) {
      result.textContent = kept.error;
      return;
    }
    presets = outcome.list;
    result.textContent = outcome.message;
    show(selected);
  }

  buttons.Save.addEventListener('click', () => done(S.save(presets, name.value, page.savedForm()), name.value.trim()));
  buttons.Rename.addEventListener('click', () => done(S.rename(presets, list.value, name.value), name.value.trim()));
  buttons.Delete.addEventListener('click', () => done(S.remove(presets, list.value)));
  buttons.Load.addEventListener('click', () => {
    const preset = S.find(presets, list.value);
    if (!preset) return;
    page.restore(preset.form);
    name.value = preset.name;
    result.textContent = 'Loaded "' + preset.name + '".';
  });
  show();
  page.onLoaded((loaded) => {
    presets = S.parse(S.serialize(loaded.presets));
    show();
  });
});
