object MainForm: TMainForm
  Left = 200
  Top = 120
  Hint = 'The main window of the sample application'
  Caption = 'Ambit Sample'
  ClientHeight = 480
  ClientWidth = 640
  Menu = MainMenu1
  ShowHint = True
  object lblColors: TLabel
    Left = 8
    Top = 8
    Width = 120
    Height = 16
    Caption = '&Colours:'
    FocusControl = lbColors
  end
  object lbColors: TListBox
    Left = 8
    Top = 28
    Width = 180
    Height = 120
    Hint = 'Pick the colour of the next label'
    Items.Strings = (
      'Red'
      'Green'
      'Blue'
      'Light yellow')
  end
  object tvTopics: TTreeView
    Left = 200
    Top = 28
    Width = 200
    Height = 200
    Hint = 'Topics of the help'
    Items.Nodes = <
      item
        Text = 'Getting started'
        Nodes = <
          item
            Text = 'Installing the application'
          end
          item
            Text = 'Your first document'
            Nodes = <
              item
                Text = 'Saving the document'
              end
              item
                Text = 'Printing the document'
              end>
          end>
      end
      item
        Text = 'Working with contacts'
        Nodes = <
          item
            Text = 'Adding a contact'
          end>
      end
      item
        Text = 'Languages of the user interface'
      end>
  end
  object lvFiles: TListView
    Left = 410
    Top = 28
    Width = 220
    Height = 200
    Hint = 'Documents opened recently'
    Columns = <
      item
        Caption = 'Name'
        Width = 120
      end
      item
        Caption = 'Size'
        Width = 60
      end
      item
        Caption = 'Last opened'
        Width = 100
      end>
    Items = <
      item
        Caption = 'Read me.txt'
        SubItems.Strings = (
          '2 KB'
          'Yesterday')
      end
      item
        Caption = 'Price list.csv'
        SubItems.Strings = (
          '14 KB'
          'Last week')
      end>
    ViewStyle = vsReport
  end
  object btnOpen: TButton
    Left = 8
    Top = 400
    Width = 100
    Height = 25
    Action = actOpen
  end
  object btnContacts: TButton
    Left = 116
    Top = 400
    Width = 100
    Height = 25
    Action = actContacts
  end
  object btnExit: TButton
    Left = 532
    Top = 400
    Width = 100
    Height = 25
    Action = actExit
  end
  object ActionList1: TActionList
    object actOpen: TAction
      Category = 'File'
      Caption = '&Open...'
      Hint = 'Open a document'#13#10'Ctrl+O does the same'
      ShortCut = 16463
      OnExecute = actOpenExecute
    end
    object actContacts: TAction
      Category = 'File'
      Caption = '&Contacts...'
      Hint = 'Show the list of contacts'
      OnExecute = actContactsExecute
    end
    object actExit: TAction
      Category = 'File'
      Caption = 'E&xit'
      Hint = 'Close the application'
      OnExecute = actExitExecute
    end
    object actAbout: TAction
      Category = 'Help'
      Caption = '&About...'
      Hint = 'Show the version of the sample'
      OnExecute = actAboutExecute
    end
  end
  object MainMenu1: TMainMenu
    object miFile: TMenuItem
      Caption = '&File'
      object miOpen: TMenuItem
        Action = actOpen
      end
      object miContacts: TMenuItem
        Action = actContacts
      end
      object miSeparator: TMenuItem
        Caption = '-'
      end
      object miExit: TMenuItem
        Action = actExit
      end
    end
    object miHelp: TMenuItem
      Caption = '&Help'
      object miAbout: TMenuItem
        Action = actAbout
      end
    end
  end
end
